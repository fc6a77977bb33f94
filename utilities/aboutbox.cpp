// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/aboutbox.h"

#include "gui/programpicture.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFont pixelFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

AboutBox::AboutBox(QWidget *parent) : BaseDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos"));

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Frame"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setFixedSize(80, 70);
    ProgramIcon->setAlignment(Qt::AlignCenter);
    ProgramIcon->setPixmap(ProgramPicture::pixmap(QSize(80, 70)));

    ProductName = new QLabel(QStringLiteral("Qor Commande"), panel);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setFont(pixelFont(20, true));

    Version = new QLabel(QStringLiteral("Version 2.0"), panel);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setFont(pixelFont(13, true));

    Comments = new QLabel(QStringLiteral("Gestion des commandes."), panel);
    Comments->setObjectName(QStringLiteral("Comments"));
    Comments->setFont(pixelFont(17, false));
    Comments->setWordWrap(true);

    Licence = new QLabel(
        QStringLiteral("Logiciel libre sous licence GNU GPL version 3 ou ultérieure."), panel);
    Licence->setObjectName(QStringLiteral("Licence"));
    Licence->setWordWrap(true);

    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(10, 10, 16, 14);
    grid->setHorizontalSpacing(16);
    grid->addWidget(ProgramIcon, 0, 0, 2, 1, Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(ProductName, 0, 1, Qt::AlignBottom);
    grid->addWidget(Version, 1, 1, Qt::AlignTop);
    grid->addWidget(Comments, 2, 0, 1, 2);
    grid->addWidget(Licence, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);

    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

void AboutBox::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    // Escape already closes a dialog; Enter reaches the default button.
    OKButton->setFocus();
}
