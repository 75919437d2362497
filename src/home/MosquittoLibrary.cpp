// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/MosquittoLibrary.h"

#include <QLibrary>

namespace {

struct Loaded {
    QLibrary mosquitto{QStringLiteral("mosquitto"), 1};
    QLibrary crypto{QStringLiteral("crypto"), 3};
    MosquittoLibrary functions;

    Loaded() {
        if (!mosquitto.load()) {
            functions.problem =
                QStringLiteral("cannot load libmosquitto: %1").arg(mosquitto.errorString());
            return;
        }
        const auto find = [this](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                mosquitto.resolve(name));
            if (!function && functions.problem.isEmpty())
                functions.problem =
                    QStringLiteral("libmosquitto lacks %1").arg(QLatin1String(name));
        };
#define GLOAMERY_FIND(name) find(functions.name, #name)
        GLOAMERY_FIND(mosquitto_lib_init);
        GLOAMERY_FIND(mosquitto_lib_cleanup);
        GLOAMERY_FIND(mosquitto_new);
        GLOAMERY_FIND(mosquitto_destroy);
        GLOAMERY_FIND(mosquitto_int_option);
        GLOAMERY_FIND(mosquitto_will_set);
        GLOAMERY_FIND(mosquitto_username_pw_set);
        GLOAMERY_FIND(mosquitto_tls_set);
        GLOAMERY_FIND(mosquitto_tls_opts_set);
        GLOAMERY_FIND(mosquitto_tls_insecure_set);
        GLOAMERY_FIND(mosquitto_log_callback_set);
        GLOAMERY_FIND(mosquitto_connect_v5_callback_set);
        GLOAMERY_FIND(mosquitto_disconnect_v5_callback_set);
        GLOAMERY_FIND(mosquitto_message_v5_callback_set);
        GLOAMERY_FIND(mosquitto_property_add_int32);
        GLOAMERY_FIND(mosquitto_property_free_all);
        GLOAMERY_FIND(mosquitto_connect);
        GLOAMERY_FIND(mosquitto_connect_bind_v5);
        GLOAMERY_FIND(mosquitto_disconnect);
        GLOAMERY_FIND(mosquitto_socket);
        GLOAMERY_FIND(mosquitto_want_write);
        GLOAMERY_FIND(mosquitto_loop_read);
        GLOAMERY_FIND(mosquitto_loop_write);
        GLOAMERY_FIND(mosquitto_loop_misc);
        GLOAMERY_FIND(mosquitto_subscribe);
        GLOAMERY_FIND(mosquitto_publish);
        GLOAMERY_FIND(mosquitto_strerror);
        GLOAMERY_FIND(mosquitto_reason_string);
#undef GLOAMERY_FIND
        if (!functions.problem.isEmpty())
            return;
        // Already in the process with libmosquitto, which links it.
        if (crypto.load())
            functions.OPENSSL_thread_stop =
                reinterpret_cast<void (*)()>(crypto.resolve("OPENSSL_thread_stop"));
        functions.mosquitto_lib_init();
    }
    ~Loaded() {
        if (functions.problem.isEmpty())
            functions.mosquitto_lib_cleanup();
    }
};

} // namespace

const MosquittoLibrary& MosquittoLibrary::get() {
    static const Loaded loaded;
    return loaded.functions;
}
