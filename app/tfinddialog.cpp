#include "app/tfinddialog.h"

#include <QPushButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFindDialog"));
    setWindowTitle(QStringLiteral("Rechercher"));

    auto *closeButton = new QPushButton(QStringLiteral("Fermer"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(closeButton, 0, Qt::AlignRight);
    resize(320, 160);
}
