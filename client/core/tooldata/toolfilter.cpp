#include "tooldata/toolfilter.h"

#include "tooldata/toolcategory.h"
#include "tooldata/tooldatamanager.h"

#include <QRegularExpression>
#include <algorithm>

namespace gearmart {

void ToolFilter::setTools(const QVector<Tool>& tools)
{
    m_tools.clear();
    m_tools.reserve(tools.size());
    for (const Tool& tool : tools) {
        Entry entry;
        entry.key = tool.key;
        entry.category = tool.category;
        entry.name = ToolCategory::name(tool.category);
        for (const QString& text : tool.texts) {
            const QString folded = fold(text);
            if (!folded.isEmpty())
                entry.folded.append(folded);
        }
        m_tools.append(entry);
    }
    refresh();
}

QVector<ToolFilter::Tool> ToolFilter::catalogTools(const ToolDataManager& data, const QVector<int>& keys)
{
    QVector<Tool> tools;
    tools.reserve(keys.size());
    for (int key : keys) {
        const auto it = data.toolInfos().constFind(key);
        if (it == data.toolInfos().cend())
            continue;
        Tool tool;
        tool.key = key;
        tool.category = ToolCategory::of(it->ToolType);
        tool.texts = QStringList{it->ToolENName, it->ToolCHName, data.briefIntro(key),
                                 ToolCategory::name(tool.category)};
        tools.append(tool);
    }
    return tools;
}

bool ToolFilter::setText(const QString& qstrText)
{
    m_qstrText = qstrText;
    QStringList terms;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& part : qstrText.split(blanks, Qt::SkipEmptyParts)) {
        const QString term = fold(part);
        if (!term.isEmpty())
            terms.append(term);
    }
    if (terms == m_terms)
        return false;
    m_terms = terms;
    return refresh();
}

bool ToolFilter::setCategory(std::optional<int> category)
{
    if (category == m_category)
        return false;
    m_category = category;
    return refresh();
}

QVector<ToolFilter::Category> ToolFilter::categories() const
{
    QVector<Category> categories;
    for (const Entry& entry : m_tools) {
        auto it = std::find_if(categories.begin(), categories.end(),
                               [&entry](const Category& known) { return known.id == entry.category; });
        if (it == categories.end())
            categories.append(Category{entry.category, entry.name, 1});
        else
            ++it->count;
    }
    return categories;
}

QString ToolFilter::fold(const QString& qstrText)
{
    const QString normal = qstrText.normalized(QString::NormalizationForm_KC).toCaseFolded();
    QString folded;
    folded.reserve(normal.size());
    for (const QChar c : normal) {
        if (!c.isSpace() && !c.isPunct())
            folded.append(c);
    }
    return folded;
}

bool ToolFilter::accepts(const Entry& entry) const
{
    if (m_category && entry.category != *m_category)
        return false;
    for (const QString& term : m_terms) {
        const bool found = std::any_of(entry.folded.cbegin(), entry.folded.cend(),
                                       [&term](const QString& text) { return text.contains(term); });
        if (!found)
            return false;
    }
    return true;
}

bool ToolFilter::refresh()
{
    QVector<int> matching;
    matching.reserve(m_tools.size());
    for (const Entry& entry : qAsConst(m_tools)) {
        if (accepts(entry))
            matching.append(entry.key);
    }
    if (matching == m_matching)
        return false;
    m_matching = matching;
    m_matchingSet.clear();
    m_matchingSet.reserve(matching.size());
    for (int key : qAsConst(m_matching))
        m_matchingSet.insert(key, true);
    return true;
}

} // namespace gearmart
