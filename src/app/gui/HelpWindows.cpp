#include "HelpWindows.h"

#include "CommandTable.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace zephyra {

namespace {
constexpr const char* SHORTCUTS_MARK = "<!-- shortcuts -->";

// "Save &As..." as the table shows it: "Save As".
QString PlainCaption(const char* caption)
{
    QString text = QString::fromUtf8(caption).remove('&');
    if (text.endsWith("..."))
        text.chop(3);
    return text;
}

QString Resource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// One window with an HTML page, made once and raised again on the next request.
void ShowPage(QWidget* parent, const QString& name, const QString& title, const QString& html, QSize size)
{
    if (auto* open = parent ? parent->findChild<QDialog*>(name) : nullptr) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new QDialog(parent);
    window->setObjectName(name);
    window->setWindowTitle(title);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* page = new QTextBrowser(window);
    page->setOpenExternalLinks(true);
    page->document()->setDefaultStyleSheet(Resource(":/help/style.css"));
    page->setHtml(html);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(page);
    layout->addWidget(buttons);
    window->resize(size);
    window->show();
}
} // namespace

QString ShortcutsTableHtml()
{
    // Commands in the order of their first key, each with all its keys.
    std::vector<std::pair<int, QStringList>> rows;
    for (const Accelerator& accelerator : Accelerators()) {
        auto row =
            std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.first == accelerator.id; });
        if (row == rows.end())
            row = rows.insert(rows.end(), {accelerator.id, {}});
        row->second << QString::fromStdString(KeyText(accelerator)).toHtmlEscaped();
    }
    QString html =
        "<table class=\"keys\" cellspacing=\"0\" width=\"100%\"><tr><th>Command</th><th>Keys</th></tr>";
    for (const auto& [id, keys] : rows) {
        const CommandInfo* command = FindCommand(id);
        html += QString("<tr><td>%1</td><td class=\"key\">%2</td></tr>")
                    .arg(command ? PlainCaption(command->caption).toHtmlEscaped() : QString::number(id),
                         keys.join(", "));
    }
    return html + "</table>";
}

void ShowHelpGuide(QWidget* parent)
{
    QString html = Resource(":/help/guide.html");
    html.replace(SHORTCUTS_MARK, ShortcutsTableHtml());
    ShowPage(parent, "helpGuide", "Zephyra Explorer Help", html, {720, 760});
}

void ShowKeyboardShortcuts(QWidget* parent)
{
    const QString html = "<html><body><h2>Keyboard Shortcuts</h2>" + ShortcutsTableHtml() +
                         "<p>In the view: drag to turn, Ctrl+drag or the wheel to zoom, Shift+drag to move. "
                         "Esc stops a search.</p></body></html>";
    ShowPage(parent, "keyboardShortcuts", "Keyboard Shortcuts", html, {440, 640});
}

} // namespace zephyra
