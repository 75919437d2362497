// SPDX-License-Identifier: GPL-3.0-or-later
#include "GsnFileArguments.h"

#include "sound/SoundLibraryEdit.h"

GsnFileArguments GsnFileArguments::parse(const QStringList& arguments, bool plainAllowed) {
    GsnFileArguments parsed;
    QString description;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--plain") && plainAllowed) {
            parsed.plain = true;
        } else if (argument == QLatin1String("--no-trim")) {
            parsed.trim = false;
        } else if (argument == QLatin1String("--description")) {
            if (i + 1 == arguments.size()) {
                parsed.problem = Problem::Usage;
                return parsed;
            }
            description = arguments[++i];
            QByteArray unused;
            const SoundLibraryEdit::Outcome encoded =
                SoundLibraryEdit::encodeDescription(description, &unused);
            if (!encoded.ok()) {
                parsed.problem = Problem::Description;
                parsed.text = description;
                parsed.reason = encoded.reason;
                return parsed;
            }
        } else if (argument.startsWith(QLatin1String("--"))) {
            parsed.problem = Problem::Usage;
            return parsed;
        } else if (parsed.library.isEmpty()) {
            parsed.library = argument;
        } else {
            parsed.inputs.push_back({argument, description});
        }
    }
    if (parsed.library.isEmpty() || parsed.inputs.empty())
        parsed.problem = Problem::Usage;
    return parsed;
}
