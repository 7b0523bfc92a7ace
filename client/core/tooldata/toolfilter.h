#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace gearmart {

class ToolDataManager;

// Which tools a search text and a chosen category let through. Texts are
// folded once: case, character width, blanks and punctuation do not count,
// so "Wi-Fi", "wifi" and a full-width "ＷｉＦｉ" are one word; Chinese is
// compared character by character, as it has no blanks between words. Each
// blank-separated part of the search must be found in one of a tool's texts.
class ToolFilter
{
public:
    struct Tool
    {
        int key = 0;
        int category = 0;
        // Everything the search looks at.
        QStringList texts;
    };

    struct Category
    {
        int id = 0;
        QString name;
        int count = 0;
    };

    // The tools in the order the page lists them.
    void setTools(const QVector<Tool>& tools);
    // The catalog's tools for these keys: the names in both languages, the
    // description and the category name in the interface language.
    static QVector<Tool> catalogTools(const ToolDataManager& data, const QVector<int>& keys);

    // False when the matches stay the same.
    bool setText(const QString& qstrText);
    // No category: every category.
    bool setCategory(std::optional<int> category);
    QString text() const { return m_qstrText; }
    std::optional<int> category() const { return m_category; }
    // Whether the text holds anything to search for.
    bool hasSearch() const { return !m_terms.isEmpty(); }

    const QVector<int>& matchingKeys() const { return m_matching; }
    bool matches(int iKey) const { return m_matchingSet.contains(iKey); }
    int toolCount() const { return m_tools.size(); }
    // Categories present, in the order their first tool is listed, each with
    // its number of tools (whatever the search).
    QVector<Category> categories() const;

    static QString fold(const QString& qstrText);

private:
    struct Entry
    {
        int key = 0;
        int category = 0;
        QString name;
        QStringList folded;
    };

    bool accepts(const Entry& entry) const;
    // False when the matches stay the same.
    bool refresh();

    QVector<Entry> m_tools;
    QString m_qstrText;
    QStringList m_terms;
    std::optional<int> m_category;
    QVector<int> m_matching;
    QHash<int, bool> m_matchingSet;
};

} // namespace gearmart
