#include "image_commands.h"

#include "child_frame.h"
#include "main_frame.h"
#include "qd_app.h"

#include <QAction>
#include <QMenu>

namespace qd {
namespace {

std::vector<ImageCommand>& table() {
    static std::vector<ImageCommand> commands;
    return commands;
}

QMenu* subMenu(QMenu* parent, const QString& title) {
    for (QAction* a : parent->actions())
        if (a->menu() && a->text() == title) return a->menu();
    return parent->addMenu(title);
}

} // namespace

void registerImageCommand(ImageCommand command) { table().push_back(std::move(command)); }

const std::vector<ImageCommand>& imageCommands() { return table(); }

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
            if (f && c.run && (!c.enabled || c.enabled(*f->view()))) c.run(*f);
        });
        // Rules are asked when the menu opens, against the active window.
        connect(menu, &QMenu::aboutToShow, a, [this, a, rule = c.enabled] {
            const CQDView* v = activeView();
            a->setEnabled(v && (!rule || rule(*v)));
        });
    }
}
