#include "support/window_driver.h"

#include "main_window/form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

void typeAddress(Form1& form, const QList<int>& boxes, const QString& address)
{
    const QStringList octets = address.split(u'.');
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        auto* box = form.findChild<QLineEdit*>(QStringLiteral("Text1(%1)").arg(boxes[i]));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, octets.value(i));
    }
}

void showPage(Form1& form, int page)
{
    QTabBar* tabs = form.TabStrip1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
}

QWidget* openWindow(const QString& name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    return nullptr;
}

QPushButton* buttonOf(const QString& window, const QString& button)
{
    QWidget* open = openWindow(window);
    return open ? open->findChild<QPushButton*>(button) : nullptr;
}

QList<QMessageBox*> openMessageBoxes(const QString& title)
{
    QList<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible() && box->windowTitle() == title)
            boxes.append(box);
    return boxes;
}
