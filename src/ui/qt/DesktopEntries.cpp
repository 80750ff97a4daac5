#include "ui/qt/DesktopEntries.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTextStream>
#include <algorithm>
#include <cstdlib>
#include <set>

namespace wexo::ui::qt {

namespace {
std::string environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}
}  // namespace

std::vector<std::string> DesktopEntries::applicationDirectories() {
    std::vector<std::string> dirs;
    std::string home = environment("XDG_DATA_HOME");
    if (home.empty() && !environment("HOME").empty()) home = environment("HOME") + "/.local/share";
    if (!home.empty()) dirs.push_back(home + "/applications");
    std::string system = environment("XDG_DATA_DIRS");
    if (system.empty()) system = "/usr/local/share:/usr/share";
    for (const QString& d : QString::fromStdString(system).split(':', Qt::SkipEmptyParts))
        dirs.push_back(d.toStdString() + "/applications");
    return dirs;
}

std::optional<DesktopEntry> DesktopEntries::read(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
    QTextStream in(&file);
    bool inMainGroup = false;
    QString name, icon, type;
    bool hidden = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        if (line.startsWith('[')) {
            // Only the main group describes the application; actions follow it.
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup) continue;
        const auto eq = line.indexOf('=');
        if (eq <= 0) continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Name"))
            name = value;
        else if (key == QLatin1String("Icon"))
            icon = value;
        else if (key == QLatin1String("Type"))
            type = value;
        else if ((key == QLatin1String("NoDisplay") || key == QLatin1String("Hidden")) &&
                 value == QLatin1String("true"))
            hidden = true;
    }
    if (hidden || type != QLatin1String("Application") || name.isEmpty()) return std::nullopt;
    return DesktopEntry{path, name.toStdString(), icon.toStdString()};
}

std::vector<DesktopEntry> DesktopEntries::installed(const std::vector<std::string>& directories) {
    std::vector<DesktopEntry> out;
    std::set<QString> seen;
    for (const std::string& dir : directories) {
        QDir d(QString::fromStdString(dir));
        const auto files = d.entryInfoList({QStringLiteral("*.desktop")},
                                           QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo& f : files) {
            // The same file name further down the search path is shadowed,
            // even when the earlier one is hidden.
            if (!seen.insert(f.fileName()).second) continue;
            if (auto entry = read(f.absoluteFilePath().toStdString())) out.push_back(*entry);
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const DesktopEntry& a, const DesktopEntry& b) {
        return QString::fromStdString(a.name).compare(QString::fromStdString(b.name),
                                                      Qt::CaseInsensitive) < 0;
    });
    return out;
}

}  // namespace wexo::ui::qt
