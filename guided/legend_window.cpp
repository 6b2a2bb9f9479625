#include "guided/legend_window.h"

#include "guided/tool_window.h"
#include "main_window/controls.h"

#include <QGroupBox>
#include <QListWidget>

using namespace Qt::StringLiterals;

using namespace controls;

Form3::Form3()
{
    setObjectName(u"Form3"_s);
    makeToolWindow(this, 7470, 4305);

    QGroupBox* border = frame(this, u"Frame1"_s, twips(120, 0, 7215, 4215));
    List1 = list(border, u"List1"_s, twips(120, 240, 6975, 3885));
    List1->setFont(fixedsys());
    Form_Load();
}

void Form3::Form_Load()
{
    const QString blank = u" "_s;
    List1->addItems({
        blank,
        blank,
        u"ValorYY = Inclinacion vertical positiva (arriba)"_s,
        u"ValorY  = Inclinacion vertical negativa (abajo)"_s,
        u"ValorXX = Inclinacion horizontal positiva (izquierda)"_s,
        u"ValorX  = Inclinacion horizontal negativa (derecha)"_s,
        blank,
        blank,
        u"Valor numerico = 15 => Alineacion correcta"_s,
        u"Valor numerico < 60 => Alineacion normal"_s,
        u"Valor numerico = 60 => Alineacion minima"_s,
        u"Valor numerico > 60 => Alineacion incorrecta"_s,
        u"Valor numerico < 75 => Imposible conectar"_s,
        blank,
        blank,
        u"Rango de alineacion 15 ~ 90"_s,
    });
}
