// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <mosquitto.h>

// libmosquitto, reached through its functions' addresses. It and the TLS libraries under it hold
// about 1.7 MB of memory once loaded, so they are loaded with the first connection attempt, on
// the thread that makes it, and a program that never reaches a broker does without them.
struct MosquittoLibrary {
#define GLOAMERY_MOSQUITTO_FUNCTION(name) decltype(&::name) name = nullptr
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_lib_init);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_lib_cleanup);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_new);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_destroy);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_int_option);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_will_set);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_username_pw_set);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_tls_set);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_tls_opts_set);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_tls_insecure_set);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_log_callback_set);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_connect_v5_callback_set);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_disconnect_v5_callback_set);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_message_v5_callback_set);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_property_add_int32);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_property_free_all);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_connect);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_connect_bind_v5);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_disconnect);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_socket);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_want_write);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_loop_read);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_loop_write);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_loop_misc);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_subscribe);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_publish);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_strerror);
    GLOAMERY_MOSQUITTO_FUNCTION(mosquitto_reason_string);
#undef GLOAMERY_MOSQUITTO_FUNCTION
    // OpenSSL's, through libmosquitto: frees what a pool thread's TLS left behind. May be missing.
    void (*OPENSSL_thread_stop)() = nullptr;

    // Why it could not be loaded; empty when every function is there.
    QString problem;

    // Loaded and initialised at the first call, from whichever thread makes it; cleaned up at the
    // end of the process.
    static const MosquittoLibrary& get();
};
