// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/tsplash.h"

#include "gui/basedialog.h"
#include "gui/programpicture.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TSplash::TSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Splash"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(3);
    panel->setAutoFillBackground(true);
    QPalette violet = panel->palette();
    violet.setColor(QPalette::Window, QColor(208, 0, 224));
    violet.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(violet);

    Image1 = new QLabel(panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(89, 113);
    Image1->setPixmap(ProgramPicture::pixmap(QSize(89, 113)));

    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(20);
    nameFont.setBold(true);
    Label1 = new QLabel(QStringLiteral("Qor Commande"), panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(nameFont);
    Label1->setAttribute(Qt::WA_TranslucentBackground);

    QFont versionFont(QStringLiteral("Arial"));
    versionFont.setPixelSize(17);
    versionFont.setBold(true);
    Label2 = new QLabel(QStringLiteral("Version 2.0"), panel);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(versionFont);
    Label2->setAttribute(Qt::WA_TranslucentBackground);

    auto *texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(Label1);
    texts->addSpacing(8);
    texts->addWidget(Label2);
    texts->addStretch();

    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(16, 16, 24, 16);
    row->setSpacing(20);
    row->addWidget(Image1);
    row->addLayout(texts);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);

    setFixedSize(sizeHint().expandedTo(QSize(340, 150)));
}

void TSplash::showNow()
{
    centreOnScreen(this);
    show();
    raise();
    repaint();
    // Let the window system map and draw it before the long window creation starts.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
