#include "favorites/ImportPlan.h"

#include "platform/AddressText.h"
#include "platform/FileNames.h"

#include <QHash>
#include <QSet>

namespace {

const QString kEnding = QStringLiteral(".url");

// The n-th name made of base: "base", "base (2)", ... cut to fit a file name with its ending.
QString numbered(const QString& base, int n) {
    if (n == 1)
        return base;
    const QString suffix = QStringLiteral(" (%1)").arg(n);
    QString cut = base;
    while (!cut.isEmpty() && (cut + suffix).toUtf8().size() > kMaxNameBytes)
        cut.chop(cut.size() > 1 && cut.back().isLowSurrogate() ? 2 : 1);
    return cut + suffix;
}

QString joined(const QString& folder, const QString& name) {
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

class Planner {
public:
    explicit Planner(const ExistingLookup& existing)
        : m_existing(existing) {}

    void addFolder(const FavoriteFolder& folder, const QString& path);
    // The folder for a title in parent: one of that name, or a new one; empty on error.
    QString folderFor(const QString& parent, const QString& title);
    void addShortcut(const QString& folder, const FavoriteEntry& entry);

    ImportPlan plan;

private:
    ExistingEntry lookup(const QString& path);
    bool fits(const QString& path);

    const ExistingLookup& m_existing;
    QHash<QString, ExistingEntry> m_planned;
    QSet<QString> m_newFolders;
    QHash<QString, QString> m_folders; // parent and base name -> the folder used
    // Per folder and base name: the numbered names looked at so far and their addresses,
    // so that many bookmarks of one name cost one look each.
    struct Names {
        int seen = 0;
        QHash<QString, int> addresses;
    };
    QHash<QString, Names> m_names;
};

ExistingEntry Planner::lookup(const QString& path) {
    const auto planned = m_planned.constFind(path);
    if (planned != m_planned.cend())
        return *planned;
    // Nothing lies in a folder the import is to make.
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0 && m_newFolders.contains(path.left(slash)))
        return ExistingEntry();
    return m_existing(path);
}

bool Planner::fits(const QString& path) {
    if (path.toUtf8().size() <= kMaxImportPathBytes)
        return true;
    plan.error = QStringLiteral("书签文件中的文件夹层次太深，路径太长：%1").arg(path);
    return false;
}

QString Planner::folderFor(const QString& parent, const QString& title) {
    const QString base = fileNameFromTitle(title, QStringLiteral("未命名文件夹"));
    const QString key = parent + QLatin1Char('\n') + base;
    if (const auto known = m_folders.constFind(key); known != m_folders.cend())
        return *known;
    for (int n = 1;; ++n) {
        const QString path = joined(parent, numbered(base, n));
        if (!fits(path))
            return QString();
        const ExistingEntry entry = lookup(path);
        if (entry.kind == ExistingEntry::Kind::Other)
            continue;
        if (entry.kind == ExistingEntry::Kind::None) {
            plan.folders << path;
            m_planned.insert(path, {ExistingEntry::Kind::Folder, QString()});
            m_newFolders.insert(path);
        }
        m_folders.insert(key, path);
        return path;
    }
}

void Planner::addShortcut(const QString& folder, const FavoriteEntry& entry) {
    if (entry.url.isEmpty() || !isWebAddress(entry.url)) {
        ++plan.skipped;
        return;
    }
    const QString address = shortcutAddress(entry.url);
    const QString same = storedAddress(address);
    const QString base = fileNameFromTitle(entry.name, QStringLiteral("网页"));
    Names& names = m_names[folder + QLatin1Char('\n') + base];
    while (!names.addresses.contains(same)) {
        const QString path = joined(folder, numbered(base, names.seen + 1) + kEnding);
        if (!fits(path))
            return;
        ++names.seen;
        const ExistingEntry existing = lookup(path);
        if (existing.kind == ExistingEntry::Kind::None) {
            plan.shortcuts.append({path, address});
            m_planned.insert(path, {ExistingEntry::Kind::Other, address});
            names.addresses.insert(same, names.seen);
            return;
        }
        if (existing.kind == ExistingEntry::Kind::Other && !existing.address.isEmpty())
            names.addresses.insert(storedAddress(existing.address), names.seen);
    }
    ++plan.skipped; // the same name and address are there already
}

void Planner::addFolder(const FavoriteFolder& folder, const QString& path) {
    for (const FavoriteEntry& entry : folder.entries) {
        addShortcut(path, entry);
        if (!plan.error.isEmpty())
            return;
    }
    for (const FavoriteFolder& child : folder.folders) {
        const QString childPath = folderFor(path, child.name);
        if (childPath.isEmpty())
            return;
        addFolder(child, childPath);
        if (!plan.error.isEmpty())
            return;
    }
}

} // namespace

ImportPlan planImport(const FavoriteFolder& bookmarks, const QString& into,
                      const ExistingLookup& existing) {
    Planner planner(existing);
    const QString name = fileNameFromTitle(into, QString());
    const QString folder = name.isEmpty() ? QString() : planner.folderFor(QString(), name);
    if (planner.plan.error.isEmpty())
        planner.addFolder(bookmarks, folder);
    if (!planner.plan.error.isEmpty())
        return ImportPlan{planner.plan.error, {}, {}, 0};
    return planner.plan;
}
