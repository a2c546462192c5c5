#include "NumberText.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace zephyra::testing {

// The dialog's number texts: what reads, what is refused, and that showing a value loses nothing.
class NumberTextTest : public QObject {
    Q_OBJECT

private slots:
    void shownFloatsReadBackExactly()
    {
        for (float value : {0.05f, 0.1f, 1.0f / 3.0f, 1e-8f, 123456789.0f, -0.3f, 60.0f,
                            std::nextafter(0.05f, 1.0f), std::numeric_limits<float>::max()})
            QCOMPARE(ParseFloat(FormatFloat(value)), std::optional<float>(value));
        QCOMPARE(FormatFloat(0.05f), QString("0.05"));
        QCOMPARE(FormatFloat(180.0f), QString("180"));
    }

    void floatsRead()
    {
        QCOMPARE(ParseFloat(" 2.5 "), std::optional<float>(2.5f));
        QCOMPARE(ParseFloat("+3"), std::optional<float>(3.0f));
        QCOMPARE(ParseFloat("-1e-3"), std::optional<float>(-0.001f));
        for (const char* refused : {"", " ", "abc", "1.5x", "1,5", "+-3", "1e39", "nan", "inf", "-inf"})
            QVERIFY2(!ParseFloat(refused), refused);
    }

    void integersRead()
    {
        QCOMPARE(ParseInteger(" -1 "), std::optional<std::int32_t>(-1));
        QCOMPARE(ParseInteger("+2147483647"), std::optional<std::int32_t>(2147483647));
        QCOMPARE(ParseInteger("-2147483648"), std::optional<std::int32_t>(-2147483647 - 1));
        for (const char* refused : {"", "abc", "1.5", "12a", "2147483648", "1e3", "--1"})
            QVERIFY2(!ParseInteger(refused), refused);
    }
};

} // namespace zephyra::testing

QTEST_MAIN(zephyra::testing::NumberTextTest)
#include "NumberTextTest.moc"
