// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/splashscreen.h"

#include "gui/basedialog.h"
#include "gui/programpicture.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

SplashScreen::SplashScreen(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Frame"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(3);
    panel->setAutoFillBackground(true);
    QPalette violet = panel->palette();
    violet.setColor(QPalette::Window, QColor(208, 0, 224));
    violet.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(violet);

    m_picture = new QLabel(panel);
    m_picture->setObjectName(QStringLiteral("Picture"));
    m_picture->setFixedSize(89, 113);
    m_picture->setPixmap(ProgramPicture::pixmap(QSize(89, 113)));

    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(20);
    nameFont.setBold(true);
    m_name = new QLabel(QStringLiteral("Qor Commande"), panel);
    m_name->setObjectName(QStringLiteral("ProductName"));
    m_name->setFont(nameFont);
    m_name->setAttribute(Qt::WA_TranslucentBackground);

    QFont versionFont(QStringLiteral("Arial"));
    versionFont.setPixelSize(17);
    versionFont.setBold(true);
    m_version = new QLabel(QStringLiteral("Version 2.0"), panel);
    m_version->setObjectName(QStringLiteral("Version"));
    m_version->setFont(versionFont);
    m_version->setAttribute(Qt::WA_TranslucentBackground);

    auto *texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(m_name);
    texts->addSpacing(8);
    texts->addWidget(m_version);
    texts->addStretch();

    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(16, 16, 24, 16);
    row->setSpacing(20);
    row->addWidget(m_picture);
    row->addLayout(texts);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);

    setFixedSize(sizeHint().expandedTo(QSize(340, 150)));
}

void SplashScreen::showNow()
{
    centreOnScreen(this);
    show();
    raise();
    repaint();
    // Let the window system map and draw it before the long window creation starts.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
