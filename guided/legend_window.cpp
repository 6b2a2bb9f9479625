#include "guided/legend_window.h"

#include "guided/tool_window.h"
#include "main_window/controls.h"

#include <QGroupBox>
#include <QListWidget>

using namespace controls;

Form3::Form3()
{
    setObjectName(QStringLiteral("Form3"));
    makeToolWindow(this, 7470, 4305);

    QGroupBox* border = frame(this, QStringLiteral("Frame1"), twips(120, 0, 7215, 4215));
    List1 = list(border, QStringLiteral("List1"), twips(120, 240, 6975, 3885));
    List1->setFont(fixedsys());
    Form_Load();
}

void Form3::Form_Load()
{
    const QString blank = QStringLiteral(" ");
    List1->addItems({
        blank,
        blank,
        QStringLiteral("ValorYY = Inclinacion vertical positiva (arriba)"),
        QStringLiteral("ValorY  = Inclinacion vertical negativa (abajo)"),
        QStringLiteral("ValorXX = Inclinacion horizontal positiva (izquierda)"),
        QStringLiteral("ValorX  = Inclinacion horizontal negativa (derecha)"),
        blank,
        blank,
        QStringLiteral("Valor numerico = 15 => Alineacion correcta"),
        QStringLiteral("Valor numerico < 60 => Alineacion normal"),
        QStringLiteral("Valor numerico = 60 => Alineacion minima"),
        QStringLiteral("Valor numerico > 60 => Alineacion incorrecta"),
        QStringLiteral("Valor numerico < 75 => Imposible conectar"),
        blank,
        blank,
        QStringLiteral("Rango de alineacion 15 ~ 90"),
    });
}
