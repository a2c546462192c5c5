#include "ConfigurationStore.h"
#include "CoreFixture.h"
#include "DocumentAccess.h"

#include <array>
#include <cstring>
#include <vector>

namespace zephyra::testing {
namespace {

// Records what the document looks like when the configuration is read and written.
class RecordingStore : public ConfigurationStore {
public:
    std::vector<std::string> calls;
    int historyAtWrite = -1;
    bool bufferAtWrite = false;

    void Read(CZephyraDoc& d) override
    {
        calls.push_back("read");
        EXPECT_EQ(d.caseLetter(), 'H') << "initial values are set before the read";
        d.SetConfigPath("/tmp/zephyra-test.xml");
        Arrange(d).settings.caseLetter = 'Q';
    }
    void Write(const CZephyraDoc& d) override
    {
        calls.push_back("write");
        historyAtWrite = d.history().Count();
        bufferAtWrite = d.buffer().points != nullptr;
    }
};

TEST(DocumentState, InitialValues)
{
    FakeHost host;
    const CZephyraDoc doc(host, nullptr, 1);
    EXPECT_EQ(doc.saved().Count() + doc.favorites().Count() + doc.history().Count(), 0);
    EXPECT_FALSE(doc.current());
    EXPECT_EQ(doc.historyPosition(), 0);
    EXPECT_EQ(doc.historyLimit(), -1);
    EXPECT_FALSE(doc.buffer().ready);
    EXPECT_EQ(doc.buffer().count, 0);
    EXPECT_EQ(doc.caseLetter(), 'H');
    EXPECT_FALSE(doc.viewBox() || doc.viewCross() || doc.viewBlackWhite() || doc.viewDefaultColors());
    EXPECT_TRUE(doc.viewAdaptive());
    EXPECT_EQ(doc.antialias(), 0);
    EXPECT_EQ(doc.defaults().defaultPointsCount, 50000);
    // 4D attractors are coloured by w, in the window and on the command line alike.
    const DisplaySettings& d4 = doc.defaults().defaults4D;
    EXPECT_EQ((std::array{d4.colorR, d4.colorG, d4.colorB}), (std::array{COORD_W, COORD_W, COORD_W}));
    EXPECT_EQ(doc.defaults().defaults3D, DisplaySettings{});
    EXPECT_FALSE(doc.IsModified());
}

TEST(DocumentState, ConfigurationIsReadOnConstructionAndWrittenWithTheListsIntact)
{
    FakeHost host;
    RecordingStore store;
    AttractorRef kept;
    {
        CZephyraDoc doc(host, &store, 1);
        EXPECT_EQ(store.calls, (std::vector<std::string>{"read"}));
        EXPECT_EQ(doc.caseLetter(), 'Q');
        EXPECT_EQ(doc.configPath(), "/tmp/zephyra-test.xml");
        doc.SetAttractor(Attractor::CreateFromCode(HENON, doc.defaults()), SA_NO_SEARCH | SA_ADD_HISTORY);
        kept = doc.current();
        EXPECT_EQ(kept->refCount, 3);
    }
    EXPECT_EQ(store.calls, (std::vector<std::string>{"read", "write"}));
    EXPECT_EQ(store.historyAtWrite, 1);
    EXPECT_TRUE(store.bufferAtWrite);
    EXPECT_EQ(kept->refCount, 1) << "the document released its history entry and current";
}

TEST(DocumentState, NewDocumentEmptiesOnlySaved)
{
    FakeHost host;
    CZephyraDoc doc(host, nullptr, 1);
    doc.SetObserver(&host);
    const AttractorRef a = Attractor::CreateFromCode(HENON, doc.defaults());
    Arrange(doc).saved.AddTail(a->Clone(doc.defaults()));
    Arrange(doc).favorites.AddTail(a->Clone(doc.defaults()));
    Arrange(doc).history.AddHead(a);
    Arrange(doc).saved.AddTail(a->Clone(doc.defaults()));
    doc.RemoveSaved(doc.saved().GetAt(1).get());
    ASSERT_TRUE(doc.IsModified());
    doc.OnNewDocument();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(host.hints.back(), UH_ALL);
    EXPECT_EQ(doc.saved().Count(), 0);
    EXPECT_EQ(doc.favorites().Count(), 1);
    EXPECT_EQ(doc.history().Count(), 1);
}

using CameraTest = DocumentTest;

TEST_F(CameraTest, AMoveChangesTheCurrentCameraAndTellsTheViews)
{
    int moves = 0;
    doc.MoveCamera([&moves](Attractor&) { ++moves; });
    EXPECT_EQ(moves, 0) << "nothing to move without a current attractor";
    EXPECT_TRUE(host.hints.empty());

    const AttractorRef shown = Shown(HENON, 1000);
    host.ClearRecordings();
    doc.MoveCamera([](Attractor& camera) { camera.yaw = 30.0f; });
    EXPECT_EQ(shown->yaw, 30.0f);
    EXPECT_EQ(host.hints, std::vector<int>{UH_CAMERA_MOVED});
    EXPECT_FALSE(doc.IsModified()) << "a camera is no content of the document";
}

using SettingsTest = DocumentTest;

TEST_F(SettingsTest, ApplyingChangesTheSettingsAndAnnouncesOnce)
{
    const AttractorRef shown = Shown(HENON, 1000);
    const std::vector<Point> before(doc.buffer().points.get(),
                                    doc.buffer().points.get() + doc.buffer().count);
    host.ClearRecordings();
    DocumentSettings s = doc.settings();
    s.historyLimit = 5;
    s.antialias = 1;
    s.defaults.defaultPointsCount = 1234;
    s.defaults.defaults3D.fgColor = {0.5f, 0.0f, 0.0f};
    AttractorSettings a{shown->pointsCount, 45.0f, shown->display};
    a.display.coordX = COORD_ZERO;

    doc.ApplySettings(s, a);
    EXPECT_EQ(host.hints, std::vector<int>{UH_REDRAW});
    EXPECT_EQ(doc.historyLimit(), 5);
    EXPECT_EQ(doc.antialias(), 1);
    EXPECT_EQ(doc.defaults().defaultPointsCount, 1234);
    EXPECT_EQ(doc.defaults().defaults3D.fgColor, s.defaults.defaults3D.fgColor);
    EXPECT_EQ(doc.caseLetter(), 'H');
    EXPECT_EQ(shown->fov, 45.0f);
    EXPECT_EQ(shown->display.coordX, COORD_ZERO);
    EXPECT_EQ(host.Status(0), "") << "neither the count nor the start point changed: no run";
    EXPECT_EQ(std::memcmp(before.data(), doc.buffer().points.get(), before.size() * sizeof(Point)), 0);
    EXPECT_FALSE(doc.IsModified()) << "settings live in the configuration, not in the document file";
}

// A transfer of the settings dialog: takes effect at once and redraws only when it changed something.
TEST_F(SettingsTest, AChangeTakesEffectAtOnceAndRedrawsOnlyWhenSomethingChanged)
{
    const AttractorRef shown = Shown(HENON, 1000);
    const DisplaySettings display = shown->display;
    host.ClearRecordings();
    doc.ChangeSettings(doc.settings(), shown->fov);
    EXPECT_TRUE(host.hints.empty());

    DocumentSettings s = doc.settings();
    s.defaults.defaults2D.x0 = 0.25f;
    doc.ChangeSettings(s);
    EXPECT_EQ(doc.defaults().defaults2D.x0, 0.25f);
    doc.ChangeSettings(s, 30.0f);
    EXPECT_EQ(shown->fov, 30.0f);
    EXPECT_EQ(host.hints, (std::vector<int>{UH_REDRAW, UH_REDRAW}));
    EXPECT_EQ(shown->display, display);
    EXPECT_EQ(host.Status(0), "") << "a transfer never computes";
    EXPECT_FALSE(doc.IsModified());

    Arrange(doc).current.Reset();
    doc.ChangeSettings(s, 60.0f);
    EXPECT_EQ(host.hints.size(), 2u) << "no field of view to change without a current attractor";
}

// A new count or start point computes the points anew, as a run of the same attractor would.
TEST_F(SettingsTest, ANewStartPointOrCountRecomputes)
{
    const AttractorRef shown = Shown(HENON, 1000);
    AttractorSettings a{2000, shown->fov, shown->display};
    a.display.x0 = 0.1f;
    doc.ApplySettings(doc.settings(), a);
    EXPECT_EQ(doc.current(), shown);
    EXPECT_EQ(doc.buffer().count, 2000);

    FakeHost otherHost;
    CZephyraDoc reference(otherHost, nullptr, 1);
    AttractorRef same = Code(HENON, 2000);
    same->display.x0 = 0.1f;
    ASSERT_TRUE(reference.ComputePoints(same, true, false, nullptr));
    EXPECT_EQ(std::memcmp(reference.buffer().points.get(), doc.buffer().points.get(), 2000 * sizeof(Point)),
              0);
}

TEST_F(SettingsTest, WithoutACurrentAttractorOnlyTheSettingsChange)
{
    DocumentSettings s = doc.settings();
    s.historyLimit = 0;
    doc.ApplySettings(s, AttractorSettings{10, 1.0f, {}});
    EXPECT_EQ(doc.historyLimit(), 0);
    EXPECT_FALSE(doc.current());
    EXPECT_EQ(host.hints, std::vector<int>{UH_REDRAW});
}

TEST(AttractorList, OneReferencePerEntry)
{
    const AttractorDefaults defaults;
    AttractorRef a = Attractor::CreateFromCode(HENON, defaults);
    {
        AttractorList list;
        list.AddHead(a);
        list.AddTail(a);
        EXPECT_EQ(a->refCount, 3);
        EXPECT_EQ(list.GetAt(1), a);
        EXPECT_FALSE(list.GetAt(2));
        EXPECT_FALSE(list.GetAt(-1));
        list.RemoveAt(0);
        EXPECT_EQ(a->refCount, 2);
        list.RemoveAt(5); // out of range: nothing
        EXPECT_EQ(list.Count(), 1);
    }
    EXPECT_EQ(a->refCount, 1);
}

} // namespace
} // namespace zephyra::testing
