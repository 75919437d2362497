// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/config/ConfigCommand.h"

#include "core/SettingsStore.h"
#include "daemon/config/ConfigSections.h"

namespace {

constexpr int Done = 0;
constexpr int StoreFailed = 1;
constexpr int BadUsage = 2;

const QString Mask = QStringLiteral("********");

struct Found {
    ConfigSection* section = nullptr;
    ConfigKey key;
    QString loadError;
};

class ConfigRun {
public:
    ConfigRun(SettingsStore& store, QTextStream& err)
        : m_store(store)
        , m_err(err)
        , m_sections(configSections(store)) {}

    int fail(int code, const QString& message) {
        m_err << "gloameryd: " << message << Qt::endl;
        return code;
    }

    int storeFailed(const QString& message) {
        return fail(StoreFailed,
                    QStringLiteral("%1 (settings store %2)").arg(message, m_store.filePath()));
    }

    int list(QTextStream& out) {
        QString firstError;
        for (const auto& section : m_sections) {
            if (QString error = section->load(); !error.isEmpty()) {
                if (firstError.isEmpty())
                    firstError = error;
                continue;
            }
            for (const ConfigKey& key : section->keys()) {
                const QString value = key.secret && !key.get().isEmpty() ? Mask : key.get();
                out << key.name << (value.isEmpty() ? " =" : " = ") << value << Qt::endl;
            }
        }
        return firstError.isEmpty() ? Done : storeFailed(firstError);
    }

    int get(const QString& name, QTextStream& out) {
        const std::optional<Found> found = find(name, false);
        if (!found)
            return unknownKey(name);
        if (!found->loadError.isEmpty())
            return storeFailed(found->loadError);
        out << found->key.get() << Qt::endl;
        return Done;
    }

    int set(const QString& name, const QString& value) {
        const std::optional<Found> found = find(name, true);
        if (!found)
            return unknownKey(name);
        if (!found->loadError.isEmpty())
            return storeFailed(found->loadError);
        if (QString refusal = found->key.set(value); !refusal.isEmpty())
            return fail(BadUsage, found->key.name + QStringLiteral(": ") + refusal);
        if (QString error = found->section->save(); !error.isEmpty())
            return storeFailed(error);
        return Done;
    }

private:
    int unknownKey(const QString& name) {
        return fail(
            BadUsage,
            QStringLiteral("unknown key '%1' (gloameryd config list shows every key)").arg(name));
    }

    // Keys are matched without regard to letter case, as client names are.
    std::optional<Found> find(const QString& name, bool forSetting) {
        for (const auto& section : m_sections) {
            const QString error = section->load();
            for (ConfigKey& key : section->keys()) {
                if (key.name.compare(name, Qt::CaseInsensitive) == 0)
                    return Found{section.get(), std::move(key), error};
            }
            if (forSetting) {
                if (std::optional<ConfigKey> key = section->newKey(name))
                    return Found{section.get(), std::move(*key), error};
            }
        }
        return std::nullopt;
    }

    SettingsStore& m_store;
    QTextStream& m_err;
    std::vector<std::unique_ptr<ConfigSection>> m_sections;
};

} // namespace

int runConfigCommand(const QStringList& args, SettingsStore& store, QTextStream& out,
                     QTextStream& err) {
    const QString command = args.value(0);
    const bool wellFormed = (command == QLatin1String("list") && args.size() == 1) ||
                            (command == QLatin1String("get") && args.size() == 2) ||
                            (command == QLatin1String("set") && args.size() == 3);
    if (!wellFormed) {
        err << "gloameryd: usage: gloameryd config list | get KEY | set KEY VALUE" << Qt::endl;
        return BadUsage;
    }
    if (!store.isAvailable()) {
        err << "gloameryd: the settings store " << store.filePath()
            << " cannot be used: " << store.lastError() << Qt::endl;
        return StoreFailed;
    }
    ConfigRun run(store, err);
    if (command == QLatin1String("list"))
        return run.list(out);
    if (command == QLatin1String("get"))
        return run.get(args.at(1), out);
    return run.set(args.at(1), args.at(2));
}
