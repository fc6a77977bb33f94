// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "suppliers/company.h"

#include "gui/outcomedialog.h"
#include <array>

class QLineEdit;
class QPushButton;

// The company dialog ("Société"): the seven letterhead lines. No default button, so Enter in a
// field does not close it; Escape is "Annuler"; the close box leaves the last outcome as it was.
class TSociete : public OutcomeDialog {
    Q_OBJECT
public:
    explicit TSociete(QWidget *parent = nullptr);

    void Init(const CompanyDetails &details);
    // Text 1 is emptied; after OK all seven receive the fields, otherwise 2 to 7 stay.
    void Result(CompanyDetails &details) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Button1Click();
    void Button2Click();
    std::array<QLineEdit *, 7> fields() const;

    QLineEdit *Edit1;
    QLineEdit *Edit2;
    QLineEdit *Edit3;
    QLineEdit *Edit4;
    QLineEdit *Edit5;
    QLineEdit *Edit6;
    QLineEdit *Edit7;
    QPushButton *Button1;
    QPushButton *Button2;
};

// The order window's "Société" command: a confirmed dialog with a first line replaces the
// company details and writes the company file at once.
void Psoc(TSociete &dialog, Company &company);
