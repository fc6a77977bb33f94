// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "suppliers/company.h"

#include "gui/outcomedialog.h"
#include <array>

class QLineEdit;
class QPushButton;

// The company dialog ("Société"): the seven letterhead lines. No default button, so Enter in a
// field does not close it; Escape is "Annuler"; the close box leaves the last outcome as it was.
class CompanyDialog : public OutcomeDialog {
    Q_OBJECT
public:
    explicit CompanyDialog(QWidget *parent = nullptr);

    void load(const CompanyDetails &details);
    // Text 1 is emptied; after OK all seven receive the fields, otherwise 2 to 7 stay.
    void apply(CompanyDetails &details) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cancelClicked();
    void okClicked();
    std::array<QLineEdit *, 7> fields() const;

    QLineEdit *m_line1;
    QLineEdit *m_line2;
    QLineEdit *m_line3;
    QLineEdit *m_line4;
    QLineEdit *m_line5;
    QLineEdit *m_line6;
    QLineEdit *m_line7;
    QPushButton *m_cancelButton;
    QPushButton *m_okButton;
};

// The order window's "Société" command: a confirmed dialog with a first line replaces the
// company details and writes the company file at once.
void editCompany(CompanyDialog &dialog, Company &company);
