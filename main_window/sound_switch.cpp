#include "main_window/form1.h"

#include "core/speaker.h"
#include "core/tone_player.h"
#include "main_window/menu_bar_toggle.h"

#include <QMenuBar>
#include <QStyle>

using namespace Qt::StringLiterals;

// Off at every start, at the left end of the menu bar.
void Form1::buildSoundSwitch(int height)
{
    SoundSwitch = new MenuBarToggle(menuBar(), height);
    SoundSwitch->setObjectName(u"SoundSwitch"_s);
    SoundSwitch->setText(u"&Sonido"_s);
    SoundSwitch->setAccessibleName(u"Sonido"_s);
    menuBar()->setCornerWidget(SoundSwitch, Qt::TopLeftCorner);
    connect(SoundSwitch, &QToolButton::toggled, this, [this](bool on) {
        Tones.setSoundOn(on);
        Voice.setSpeechOn(on);
        showSoundState();
    });
    connect(&Tones, &TonePlayer::availabilityChanged, this, &Form1::showSoundState);
    connect(&Voice, &Speaker::availabilityChanged, this, &Form1::showSoundState);
    showSoundState();
}

void Form1::showSoundState()
{
    const bool on = SoundSwitch->isChecked();
    SoundSwitch->setIcon(style()->standardIcon(on ? QStyle::SP_MediaVolume : QStyle::SP_MediaVolumeMuted));
    QString tip = Tones.unavailableReason();
    if (tip.isEmpty() && on)
        tip = u"Sonido encendido: un tono por cada medida, más agudo cuanto mejor, y la voz que guía "
              u"la alineación guiada"_s;
    else if (tip.isEmpty())
        tip = u"Sonido apagado: pulse para oír un tono por cada medida y la voz que guía la "
              u"alineación guiada"_s;
    if (const QString speechless = Voice.unavailableReason(); !speechless.isEmpty())
        tip += u'\n' + speechless;
    SoundSwitch->setToolTip(tip);
}

// A tone is made only when it is to be heard.
void Form1::soundGrade(quint8 grade)
{
    if (SoundSwitch->isChecked())
        Tones.play(gradeTone(grade));
}

void Form1::soundChime()
{
    if (SoundSwitch->isChecked())
        Tones.play(measuredChime());
}

void Form1::speak(const QString& sentence)
{
    if (SoundSwitch->isChecked())
        Voice.say(sentence);
}

void Form1::silenceSpeech()
{
    Voice.silence();
}
