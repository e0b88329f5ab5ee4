#include "image_commands.h"

#include "command_table.h"

#include "child_frame.h"
#include "main_frame.h"
#include "qd_app.h"

#include <QAction>
#include <QMenu>

namespace qd {
namespace {

Commands buildTable() {
    Commands table;
    addImageMenuCommands(table);
    addTransformCommands(table);
    addComplexAndRgbCommands(table);
    addFilterCommands(table);
    addFourierCommands(table);
    addMathCommands(table);
    addBackgroundCommands(table);
    addColorProcessCommands(table);
    addAnalysisCommands(table);
    return table;
}

QMenu* subMenu(QMenu* parent, const QString& title) {
    for (QAction* a : parent->actions())
        if (a->menu() && a->text() == title) return a->menu();
    return parent->addMenu(title);
}

} // namespace

const std::vector<ImageCommand>& imageCommands() {
    static const Commands table = buildTable();
    return table;
}

} // namespace qd

void CMainFrame::insertImageCommands() {
    for (const qd::ImageCommand& c : qd::imageCommands()) {
        QMenu* menu = topMenu(c.menu);
        if (!menu) continue;
        const QStringList parts = c.path.split('|');
        for (int i = 0; i + 1 < parts.size(); ++i)
            menu = qd::subMenu(menu, parts[i]);
        QAction* a = menu->addAction(parts.last());
        a->setProperty("imageCommand", true);
        connect(a, &QAction::triggered, this, [this, c] {
            CChildFrame* f = activeChild();
            if (f && c.run && (!c.enabled || c.enabled(*f->view()))) c.run(*f, c.line);
        });
        // Rules are asked when the menu opens, against the active window.
        connect(menu, &QMenu::aboutToShow, a, [this, a, rule = c.enabled] {
            const CQDView* v = activeView();
            a->setEnabled(v && (!rule || rule(*v)));
        });
    }
}
