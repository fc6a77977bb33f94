// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

// The help manual: French pages bundled in the program, with a table of contents, a keyword
// index with its search field, and a page on using the help. Created on first use; it stays
// open beside the program like any help viewer.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    void showContents();                    // "&Index"
    void showIndex(const QString &keyword); // "&Chercher"
    void showHowToUse();                    // "&Utiliser l'aide"
    void showPage(const QString &page);     // e.g. "menu_fichier.html"

    QString currentPage() const;
    QStringList keywords() const { return m_keywords.keys(); }
    QStringList pagesFor(const QString &keyword) const { return m_keywords.value(keyword); }

private:
    void loadContents();
    void loadKeywords(const QString &page);
    void searchTextEdited(const QString &text);
    void openSelectedKeyword();
    void bringForward(int tab);

    QTabWidget *m_tabs;
    QTreeWidget *m_contents;
    QLineEdit *m_search;
    QListWidget *m_index;
    QTextBrowser *m_browser;
    QMap<QString, QStringList> m_keywords; // keyword -> pages
};
