// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/searchquery.h"

#include "search/textfold.h"

SearchQuery::SearchQuery(const QString &text)
{
    QString term;
    bool phrase = false;
    const auto endTerm = [&] {
        QByteArray folded = TextFold::text(term);
        if (!folded.isEmpty())
            m_terms.append(FoldedPattern(std::move(folded)));
        term.clear();
    };
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            endTerm();
            phrase = !phrase;
        } else if (!phrase && c.isSpace()) {
            endTerm();
        } else {
            term += c;
        }
    }
    endTerm(); // a phrase without its closing quote runs to the end
}

bool SearchQuery::operator==(const SearchQuery &other) const
{
    if (m_terms.size() != other.m_terms.size())
        return false;
    for (qsizetype i = 0; i < m_terms.size(); ++i)
        if (m_terms.at(i).folded() != other.m_terms.at(i).folded())
            return false;
    return true;
}

bool SearchQuery::narrows(const SearchQuery &broader) const
{
    for (const FoldedPattern &wide : broader.m_terms) {
        bool within = false;
        for (const FoldedPattern &term : m_terms)
            within = within || term.folded().contains(wide.folded());
        if (!within)
            return false;
    }
    return true;
}
