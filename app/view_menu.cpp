#include "app/view_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace kelvaro {

QMenu* createViewMenu(QMenuBar& bar, std::map<int, QAction*>& actions) {
    QMenu* menu = bar.addMenu(QString::fromLatin1(viewMenuTitle));
    QAction* action = menu->addAction(QString::fromLatin1(clearColoursText));
    action->setData(commandClearColours);
    action->setCheckable(true);
    actions[commandClearColours] = action;
    return menu;
}

void updateViewMenu(QMenu& menu, const std::map<int, QAction*>& actions, const GameWorld& world) {
    const bool french = world.settings.language != 0;
    const QString title = QString::fromUtf8(french ? viewMenuTitleFrench : viewMenuTitle);
    if (menu.title() != title) menu.setTitle(title);
    const auto found = actions.find(commandClearColours);
    if (found == actions.end()) return;
    QAction* option = found->second;
    const QString text = QString::fromUtf8(french ? clearColoursTextFrench : clearColoursText);
    if (option->text() != text) option->setText(text);
    const bool on = world.settings.clearColours == 1;
    if (option->isChecked() != on) option->setChecked(on);
}

} // namespace kelvaro
