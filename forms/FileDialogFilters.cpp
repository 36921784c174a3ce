// Windows filters as Qt name filters.
#include "forms/FileDialogFilters.h"

#include <QRegularExpression>

namespace glossel::forms {
namespace {

constexpr char kEveryFileWindows[] = "*.*";
constexpr char kEveryFile[] = "*";

QString qtPatterns(const std::string& windowsPatterns) {
    QStringList patterns = QString::fromStdString(windowsPatterns).split(';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
        pattern = pattern.trimmed();
        if (pattern == kEveryFileWindows) {
            pattern = kEveryFile;
        }
    }
    return patterns.join(' ');
}

// The description with its patterns in brackets, as Qt reads them; a description that shows the
// patterns already has them replaced.
QString qtNameFilter(const systools::FileFilter& filter) {
    QString description = QString::fromStdString(filter.description).trimmed();
    const QString shownPatterns = "(" + QString::fromStdString(filter.patterns) + ")";
    if (description.endsWith(shownPatterns)) {
        description.chop(shownPatterns.size());
        description = description.trimmed();
    }
    return description + " (" + qtPatterns(filter.patterns) + ")";
}

}  // namespace

QStringList qtNameFilters(const std::vector<systools::FileFilter>& filters) {
    QStringList nameFilters;
    for (const systools::FileFilter& filter : filters) {
        nameFilters.append(qtNameFilter(filter));
    }
    return nameFilters;
}

QString defaultSuffix(const QString& nameFilter) {
    static const QRegularExpression singleExtension(R"(\(\*\.([^*?\s]+)\)$)");
    const QRegularExpressionMatch match = singleExtension.match(nameFilter);
    return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace glossel::forms
