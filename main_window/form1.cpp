#include "main_window/form1.h"

#include "core/probe_service.h"
#include "core/target_address.h"
#include "main_window/clickable_image.h"
#include "main_window/controls.h"
#include "main_window/cue_timer.h"
#include "main_window/logo.h"
#include "main_window/menu_bar_accessibility.h"
#include "platform/local_address.h"
#include "platform/web_page.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

using namespace Qt::StringLiterals;

using controls::twips;
using controls::twipsToPixels;

namespace {
// How to align, the start page, and the version with its licences.
const platform::WebPage ForumPage{u"/foro/"_s, u"ayuda.html"_s};
const platform::WebPage SitePage{QString(), u"index.html"_s};
const platform::WebPage AboutPage{u"/foro/viewtopic.php?t=310"_s, u"acerca-de.html"_s};
} // namespace

Form1::Form1(ProbeService& probe, TonePlayer& tones, Speaker& voice) : Probe(probe), Tones(tones), Voice(voice)
{
    makeMenuBarCornersAccessible();
    buildWindow();
    connectHandlers();
    Form_Load();
    reportMissingIcmp();
    Text1[3]->setFocus();
}

void Form1::buildWindow()
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Orienzo wireless"_s);
    setWindowIcon(programIcon());
    setCentralWidget(new QWidget(this));
    buildMenu();

    TabStrip1 = new QTabWidget(centralWidget());
    TabStrip1->setObjectName(u"TabStrip1"_s);
    TabStrip1->setGeometry(twips(120, 0, 9495, 8655));
    TabStrip1->setFont(controls::fixedsys());
    TabStrip1->setAccessibleName(u"Modo de alineacion"_s);
    TabStrip1->addTab(new QWidget, u"Orienzo guiado"_s);
    TabStrip1->addTab(new QWidget, u"Orienzo dinamico"_s);
    buildGuidedPage();
    buildDynamicPage();
    showButtonsFor(Activity::Idle);

    Timer1 = new CueTimer(this, State, Shape6, Text6);

    const QRect client = twips(1575, 1005, 9690, 8745);
    move(client.topLeft());
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

// "Acerca de" is the menu bar's only item and stands at its right end. The
// bar stays in the window: a desktop's global menu would hide the corner.
void Form1::buildMenu()
{
    menuBar()->setNativeMenuBar(false);
    auto* corner = new QMenuBar(menuBar());
    corner->setNativeMenuBar(false);
    Menu = corner->addAction(u"Acerca de"_s);
    Menu->setObjectName(u"Menu"_s);
    menuBar()->setCornerWidget(corner, Qt::TopRightCorner);
    buildSoundSwitch(corner->sizeHint().height());
}

// The window's own commands; the alignments attach theirs.
void Form1::connectHandlers()
{
    connect(TabStrip1, &QTabWidget::currentChanged, this, [this](int index) { TabStrip1_Click(index + 1); });
    connect(Command2, &QPushButton::clicked, this, [this] {
        silenceSpeech();
        resetAlignment();
    });
    connect(Command4, &QPushButton::clicked, this, &QWidget::close);
    for (int index = 0; index < 5; ++index)
        connect(Text10[index], &QLineEdit::textEdited, this, [this, index] { Text10_Change(index); });

    for (QPushButton* help : {Command5, Command8})
        connect(help, &QPushButton::clicked, this, [] { platform::openWebPage(ForumPage); });
    for (ClickableImage* logo : {Image1, Image2})
        connect(logo, &ClickableImage::clicked, this, [] { platform::openWebPage(SitePage); });
    connect(Menu, &QAction::triggered, this, [] { platform::openWebPage(AboutPage); });
    connectPageKeys();
}

// Ctrl+Tab and Ctrl+Shift+Tab change page from anywhere in the window and put
// the cursor in the page's first "IP Receptor" box, ready for typing.
void Form1::connectPageKeys()
{
    for (const QKeySequence& keys :
         {QKeySequence(QKeySequence::NextChild), QKeySequence(QKeySequence::PreviousChild)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            TabStrip1->setCurrentIndex(1 - TabStrip1->currentIndex());
            QLineEdit* firstOctet = Text1[TabStrip1->currentIndex() == 0 ? 3 : 10];
            firstOctet->setFocus(Qt::TabFocusReason);
        });
    }
}

void Form1::Form_Load()
{
    Frame16->hide();
    Frame15->show();
    State.LoopDelay = 500;
    List1->addItem(u"Iniciando variables..."_s);
    State.LocalAddress = platform::localIPv4Address();
    Text1[7]->setText(State.LocalAddress);
    Text1[9]->setText(State.LocalAddress);
    const QString found = u"Encontrada IP local "_s + State.LocalAddress;
    List1->addItem(found);
    List2->addItem(found);
}

// Without any way to send ICMP, no measurement can work: say so at once,
// with the remedy, rather than let the first run look like a bad antenna.
void Form1::reportMissingIcmp()
{
    if (Probe.socketsStartup())
        return;
    for (const QString& line : Probe.startupFailure().split(u'\n')) {
        List1->addItem(line);
        List2->addItem(line);
    }
}

// The address builders' common part. Checking the address is the caller's
// and the probe's business.
QString Form1::joinOctets(const std::array<int, 4>& boxes)
{
    State.OctetText1 = Text1[boxes[0]]->text();
    State.OctetText2 = Text1[boxes[1]]->text();
    State.OctetText3 = Text1[boxes[2]]->text();
    State.OctetText4 = Text1[boxes[3]]->text();
    return dottedAddress(State.OctetText1, State.OctetText2, State.OctetText3, State.OctetText4);
}

// The window grows to fit the guided page and shrinks to fit the dynamic one.
void Form1::TabStrip1_Click(int tab)
{
    const bool guided = tab == 1;
    Frame16->setVisible(!guided);
    Frame15->setVisible(guided);
    QRect strip = TabStrip1->geometry();
    strip.setHeight(twipsToPixels(guided ? 8555 : 6635));
    TabStrip1->setGeometry(strip);
    setOuterHeight(strip.height() + twipsToPixels(750));
}

void Form1::setOuterHeight(int pixels)
{
    const int decoration = frameGeometry().height() - geometry().height();
    resize(width(), pixels - decoration);
}

// "SALIR", and closing the window through its frame, end the program.
void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    silenceSpeech();
    endProgram();
}

void endProgram()
{
    QCoreApplication::quit();
}
