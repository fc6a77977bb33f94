// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/helpwindow.h"

#include <QCollator>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString PagePrefix = QStringLiteral("qrc:/help/");

QString readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    Q_INIT_RESOURCE(help);
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Aide de Qor Commande"));
    resize(860, 600);

    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("HelpContents"));
    m_contents->setAccessibleName(QStringLiteral("Sommaire"));
    m_contents->setHeaderHidden(true);
    connect(m_contents, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        const QString page = item->data(0, Qt::UserRole).toString();
        if (!page.isEmpty())
            showPage(page);
    });
    connect(m_contents, &QTreeWidget::itemClicked, m_contents, &QTreeWidget::itemActivated);

    m_search = new QLineEdit;
    m_search->setObjectName(QStringLiteral("HelpSearch"));
    m_search->setPlaceholderText(QStringLiteral("Tapez les premières lettres du mot"));
    connect(m_search, &QLineEdit::textEdited, this, &HelpWindow::searchTextEdited);
    connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::openSelectedKeyword);
    m_index = new QListWidget;
    m_index->setObjectName(QStringLiteral("HelpIndex"));
    m_index->setAccessibleName(QStringLiteral("Index"));
    connect(m_index, &QListWidget::itemActivated, this, &HelpWindow::openSelectedKeyword);
    auto *showButton = new QPushButton(QStringLiteral("&Afficher"));
    connect(showButton, &QPushButton::clicked, this, &HelpWindow::openSelectedKeyword);

    auto *indexPage = new QWidget;
    auto *indexLayout = new QVBoxLayout(indexPage);
    auto *searchLabel = new QLabel(QStringLiteral("&Mot-clé recherché :"));
    searchLabel->setBuddy(m_search);
    indexLayout->addWidget(searchLabel);
    indexLayout->addWidget(m_search);
    indexLayout->addWidget(m_index, 1);
    indexLayout->addWidget(showButton, 0, Qt::AlignRight);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("HelpTabs"));
    m_tabs->addTab(m_contents, QStringLiteral("&Sommaire"));
    m_tabs->addTab(indexPage, QStringLiteral("&Index"));

    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setAccessibleName(QStringLiteral("Page de l'aide"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);

    auto *back = new QPushButton(QStringLiteral("&Précédent"));
    auto *forward = new QPushButton(QStringLiteral("S&uivant"));
    auto *home = new QPushButton(QStringLiteral("S&ommaire"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    auto *close = new QPushButton(QStringLiteral("&Fermer"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // Escape closes the window as "Fermer" does, wherever the focus is in it.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(home);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 610});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    loadContents();
    // Accented words sort with their letters, as a French reader expects.
    QStringList words = m_keywords.keys();
    QCollator collator(QLocale(QLocale::French, QLocale::France));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(words.begin(), words.end(), collator);
    m_index->addItems(words);
}

// contents.txt: one page a line, "file|title" ("|title" for a heading without a page);
// two leading spaces place an entry under the one above.
void HelpWindow::loadContents()
{
    const QStringList lines =
        readResource(QStringLiteral(":/help/contents.txt")).split(QLatin1Char('\n'));
    QList<QTreeWidgetItem *> parents;
    for (const QString &line : lines) {
        const QString entry = line.trimmed();
        if (entry.isEmpty() || !entry.contains(QLatin1Char('|')))
            continue;
        const qsizetype depth = (line.size() - QStringView(line).trimmed().size()) / 2;
        const QString page = entry.section(QLatin1Char('|'), 0, 0);
        const QString title = entry.section(QLatin1Char('|'), 1);
        while (parents.size() > depth)
            parents.removeLast();
        auto *item = parents.isEmpty() ? new QTreeWidgetItem(m_contents)
                                       : new QTreeWidgetItem(parents.last());
        item->setText(0, title);
        item->setData(0, Qt::UserRole, page);
        parents.append(item);
        if (!page.isEmpty())
            loadKeywords(page);
    }
    m_contents->expandAll();
}

// Each page names its keywords in <meta name="keywords" content="a, b, c">.
void HelpWindow::loadKeywords(const QString &page)
{
    static const QRegularExpression meta(
        QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match =
        meta.match(readResource(QStringLiteral(":/help/") + page));
    if (!match.hasMatch())
        return;
    for (const QString &word : match.captured(1).split(QLatin1Char(','))) {
        const QString keyword = word.trimmed();
        if (keyword.isEmpty())
            continue;
        QStringList &pages = m_keywords[keyword];
        if (!pages.contains(page))
            pages.append(page);
    }
}

void HelpWindow::bringForward(int tab)
{
    m_tabs->setCurrentIndex(tab);
    show();
    raise();
    activateWindow();
}

void HelpWindow::showContents()
{
    showPage(QStringLiteral("sommaire.html"));
    bringForward(0);
    m_contents->setFocus();
}

void HelpWindow::showIndex(const QString &keyword)
{
    m_search->setText(keyword);
    searchTextEdited(keyword);
    if (m_browser->source().isEmpty())
        showPage(QStringLiteral("sommaire.html"));
    bringForward(1);
    m_search->setFocus();
}

void HelpWindow::showHowToUse()
{
    showPage(QStringLiteral("utiliser_aide.html"));
    bringForward(0);
}

void HelpWindow::showPage(const QString &page)
{
    m_browser->setSource(QUrl(PagePrefix + page));
}

QString HelpWindow::currentPage() const
{
    const QString url = m_browser->source().toString();
    return url.startsWith(PagePrefix) ? url.mid(PagePrefix.size()) : url;
}

// The index follows the typed text: the first keyword that begins with it is selected.
void HelpWindow::searchTextEdited(const QString &text)
{
    for (int row = 0; row < m_index->count(); ++row) {
        if (m_index->item(row)->text().startsWith(text, Qt::CaseInsensitive)) {
            m_index->setCurrentRow(row);
            m_index->scrollToItem(m_index->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
    m_index->setCurrentRow(-1);
}

void HelpWindow::openSelectedKeyword()
{
    const QListWidgetItem *item = m_index->currentItem();
    if (!item)
        return;
    const QStringList pages = m_keywords.value(item->text());
    if (!pages.isEmpty())
        showPage(pages.first());
}
