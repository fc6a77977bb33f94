#pragma once

#include "app/outcomedialog.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;

// "Mise en page": the kind of paper the order is printed on (0 plain, 1 letterhead,
// 2 pre-printed form). Created once and reused; it keeps its selection and how it was last
// closed between showings.
class TMPage : public OutcomeDialog {
    Q_OBJECT
public:
    explicit TMPage(QWidget *parent = nullptr);

    // Selects item `value` when it is one (0 to 2); any other value changes nothing.
    void Init(int value);
    // -1 unless the dialog was last closed with OK, else the selected item.
    void Result(int &value) const;

private:
    void Button1Click();
    void Button2Click();

    QGroupBox *RadioGroup1 = nullptr;
    QButtonGroup *m_items = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
};
