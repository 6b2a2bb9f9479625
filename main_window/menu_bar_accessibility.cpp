#include "main_window/menu_bar_accessibility.h"

#include "main_window/menu_bar_toggle.h"

#include <QAccessibleWidget>
#include <QMainWindow>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace {

// The bar's children are its corner widgets, left one first.
class MenuBarCorners : public QAccessibleWidget {
public:
    explicit MenuBarCorners(QMenuBar* bar) : QAccessibleWidget(bar, QAccessible::MenuBar) {}

    int childCount() const override { return int(corners().size()); }
    QAccessibleInterface* child(int index) const override
    {
        return QAccessible::queryAccessibleInterface(corners().value(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(corners().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> corners() const
    {
        const auto* bar = static_cast<QMenuBar*>(widget());
        QList<QWidget*> found;
        for (Qt::Corner corner : {Qt::TopLeftCorner, Qt::TopRightCorner})
            if (QWidget* shown = bar->cornerWidget(corner); shown && shown->isVisible())
                found.append(shown);
        return found;
    }
};

// A switch that a screen reader can both press and toggle, and that says
// whether it is on.
class ToggleAccessible : public QAccessibleWidget {
public:
    explicit ToggleAccessible(MenuBarToggle* toggle) : QAccessibleWidget(toggle, QAccessible::CheckBox) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = toggle()->isChecked();
        return state;
    }
    QStringList actionNames() const override
    {
        return toggle()->isEnabled() ? QStringList{pressAction(), toggleAction()} : QStringList();
    }
    void doAction(const QString& action) override
    {
        if (toggle()->isEnabled() && (action == pressAction() || action == toggleAction()))
            toggle()->click();
    }

private:
    MenuBarToggle* toggle() const { return static_cast<MenuBarToggle*>(widget()); }
};

QAccessibleInterface* menuBarPart(const QString& className, QObject* object)
{
    if (className == u"MenuBarToggle"_s)
        return new ToggleAccessible(static_cast<MenuBarToggle*>(object));
    if (className == u"QMenuBar"_s && qobject_cast<QMainWindow*>(object->parent()))
        return new MenuBarCorners(static_cast<QMenuBar*>(object));
    return nullptr;
}

} // namespace

void makeMenuBarCornersAccessible()
{
    // Qt asks the factory installed last first, so this one comes after
    // QApplication has installed the widgets' own.
    static const bool installed = (QAccessible::installFactory(menuBarPart), true);
    Q_UNUSED(installed);
}
