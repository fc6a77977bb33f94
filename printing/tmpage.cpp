#include "printing/tmpage.h"

#include <QPushButton>
#include <QVBoxLayout>

TMPage::TMPage(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TMPage"));
    setWindowTitle(QStringLiteral("Mise en page"));

    auto *closeButton = new QPushButton(QStringLiteral("Fermer"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(closeButton, 0, Qt::AlignRight);
    resize(320, 160);
}
