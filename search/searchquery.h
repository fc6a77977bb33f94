// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/foldedpattern.h"

#include <QList>
#include <QString>

// What the user typed in the search field: words, and phrases between double quotes, each to
// be found somewhere in an order. Every other character is taken as it is.
class SearchQuery {
public:
    SearchQuery() = default;
    explicit SearchQuery(const QString &text);

    const QList<FoldedPattern> &terms() const { return m_terms; }
    bool isEmpty() const { return m_terms.isEmpty(); }
    bool operator==(const SearchQuery &other) const;

    // True when every order this query finds is found by `broader`: each term of `broader` is
    // part of a term of this one.
    bool narrows(const SearchQuery &broader) const;

private:
    QList<FoldedPattern> m_terms;
};
