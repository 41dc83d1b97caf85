#pragma once

class ConfigStore;

// Finding counts of the current check for the statistics strip and the report:
// spelling (codes 1, 2), style (5), sentence suggestion (6) and grammar (every other
// code). Insertion adds one, removal takes one away; never below zero.
class CheckStatistics
{
public:
    enum Kind { Spelling = 0, Grammar = 1, Style = 2, Suggestion = 3, KindCount = 4 };

    static Kind kindOf(int category);

    void add(int category) { ++m_counts[kindOf(category)]; }
    void remove(int category);
    void clear();

    int count(Kind kind) const { return m_counts[kind]; }
    int countOf(int category) const { return m_counts[kindOf(category)]; }
    int total() const;
    // Sum of the counts whose category is shown ("display_*_enabled" = "True").
    int shownTotal(ConfigStore &prefs) const;

private:
    int m_counts[KindCount] = {0, 0, 0, 0};
};
