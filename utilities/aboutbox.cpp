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

    m_programIcon = new QLabel(panel);
    m_programIcon->setObjectName(QStringLiteral("ProgramIcon"));
    m_programIcon->setFixedSize(80, 70);
    m_programIcon->setAlignment(Qt::AlignCenter);
    m_programIcon->setPixmap(ProgramPicture::pixmap(QSize(80, 70)));

    m_productName = new QLabel(QStringLiteral("Qor Commande"), panel);
    m_productName->setObjectName(QStringLiteral("ProductName"));
    m_productName->setFont(pixelFont(20, true));

    m_version = new QLabel(QStringLiteral("Version 2.0"), panel);
    m_version->setObjectName(QStringLiteral("Version"));
    m_version->setFont(pixelFont(13, true));

    m_comments = new QLabel(QStringLiteral("Gestion des commandes."), panel);
    m_comments->setObjectName(QStringLiteral("Comments"));
    m_comments->setFont(pixelFont(17, false));
    m_comments->setWordWrap(true);

    m_licence = new QLabel(
        QStringLiteral("Logiciel libre sous licence GNU GPL version 3 ou ultérieure."), panel);
    m_licence->setObjectName(QStringLiteral("Licence"));
    m_licence->setWordWrap(true);

    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(10, 10, 16, 14);
    grid->setHorizontalSpacing(16);
    grid->addWidget(m_programIcon, 0, 0, 2, 1, Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(m_productName, 0, 1, Qt::AlignBottom);
    grid->addWidget(m_version, 1, 1, Qt::AlignTop);
    grid->addWidget(m_comments, 2, 0, 1, 2);
    grid->addWidget(m_licence, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OkButton"));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(m_okButton, 0, Qt::AlignHCenter);

    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

void AboutBox::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    // Escape already closes a dialog; Enter reaches the default button.
    m_okButton->setFocus();
}
