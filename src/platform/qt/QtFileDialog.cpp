#include "platform/qt/QtFileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include "platform/qt/QtStrings.h"

namespace tabora::platform::qt {

using namespace Qt::StringLiterals;

namespace {
QString PatternsOf(const QString& patterns) {
    QStringList both;
    for (const QString& pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (trimmed.isEmpty()) continue;
        both << trimmed;
        if (trimmed.toUpper() != trimmed) both << trimmed.toUpper();
    }
    return both.isEmpty() ? u"*"_s : both.join(u' ');
}

// Qt shows the description and takes the patterns from the last parentheses.
QString FilterEntry(const QString& description, const QString& patterns) {
    QString shown = description.trimmed();
    const qsizetype open = shown.lastIndexOf(u'(');
    if (open >= 0 && shown.endsWith(u')')) shown = shown.left(open).trimmed();
    return shown + u" ("_s + PatternsOf(patterns) + u')';
}
}  // namespace

QString QtNameFilters(const std::u16string& filter) {
    const QStringList parts = ToQString(filter).split(u',');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) entries << FilterEntry(parts[i], parts[i + 1]);
    if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty())
        entries << FilterEntry(parts.back(), u"*"_s);
    return entries.join(u";;"_s);
}

std::optional<std::u16string> QtFileDialog::OpenFileName(const std::u16string& filter,
                                                         const std::u16string& title) {
    const QString chosen = QFileDialog::getOpenFileName(QApplication::activeWindow(), ToQString(title),
                                                        QString(), QtNameFilters(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return ToU16(chosen);
}

}  // namespace tabora::platform::qt
