// A session manager for tests, speaking X session management (XSMP) over ICE. It prints its
// address as "SESSION_MANAGER=<address>", registers clients (with the save that the protocol
// asks of a new client's manager). A line "checkpoint" on its input asks every client to save
// while the session goes on; "end" asks them to save for a shutdown and then to die. It prints
// each client's message as one line.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

std::vector<SmsConn> gClients;
std::vector<IceConn> gConns;
bool gEnding = false;

void forget(IceConn c) {
    for (auto it = gConns.begin(); it != gConns.end(); ++it)
        if (*it == c) {
            gConns.erase(it);
            return;
        }
}

void say(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    vprintf(fmt, ap);
    va_end(ap);
    putchar('\n');
    fflush(stdout);
}

Status registerClient(SmsConn conn, SmPointer, char* previousId) {
    char* id = SmsGenerateClientID(conn);
    if (!id) id = strdup("1tovra0000000000000000000000000001");
    bool isNew = previousId == nullptr;
    free(previousId);
    SmsRegisterClientReply(conn, id);
    free(id);
    gClients.push_back(conn);
    say("RegisterClient");
    // A new client gets a save of its local state at once, without a shutdown.
    if (isNew) SmsSaveYourself(conn, SmSaveLocal, False, SmInteractStyleNone, False);
    return 1;
}

void interactRequest(SmsConn conn, SmPointer, int) { SmsInteract(conn); }
void interactDone(SmsConn, SmPointer, Bool) {}
void saveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void saveYourselfPhase2Request(SmsConn conn, SmPointer) { SmsSaveYourselfPhase2(conn); }

void saveYourselfDone(SmsConn conn, SmPointer, Bool success) {
    say("SaveYourselfDone %s", success ? "true" : "false");
    if (gEnding) SmsDie(conn);
}

void closeConnection(SmsConn conn, SmPointer, int count, char** reasons) {
    SmFreeReasons(count, reasons);
    IceConn ice = SmsGetIceConnection(conn);
    for (auto it = gClients.begin(); it != gClients.end(); ++it)
        if (*it == conn) {
            gClients.erase(it);
            break;
        }
    SmsCleanUp(conn);
    forget(ice);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
    say("CloseConnection");
}

void setProperties(SmsConn, SmPointer, int count, SmProp** props) {
    for (int i = 0; i < count; ++i) SmFreeProperty(props[i]);
    free(props);
}
void deleteProperties(SmsConn, SmPointer, int count, char** names) {
    for (int i = 0; i < count; ++i) free(names[i]);
    free(names);
}
void getProperties(SmsConn conn, SmPointer) { SmsReturnProperties(conn, 0, nullptr); }

Status newClient(SmsConn, SmPointer, unsigned long* mask, SmsCallbacks* cb, char**) {
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask |
            SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    cb->register_client.callback = registerClient;
    cb->interact_request.callback = interactRequest;
    cb->interact_done.callback = interactDone;
    cb->save_yourself_request.callback = saveYourselfRequest;
    cb->save_yourself_phase2_request.callback = saveYourselfPhase2Request;
    cb->save_yourself_done.callback = saveYourselfDone;
    cb->close_connection.callback = closeConnection;
    cb->set_properties.callback = setProperties;
    cb->delete_properties.callback = deleteProperties;
    cb->get_properties.callback = getProperties;
    return 1;
}

// Only the test's own processes talk to this manager.
Bool anyHost(char*) { return True; }

}  // namespace

int main() {
    char error[256] = "";
    if (!SmsInitialize("tovra-test", "1", newClient, nullptr, anyHost, sizeof error, error)) {
        fprintf(stderr, "SmsInitialize: %s\n", error);
        return 1;
    }
    int count = 0;
    IceListenObj* listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, sizeof error, error) || count == 0) {
        fprintf(stderr, "IceListenForConnections: %s\n", error);
        return 1;
    }
    std::vector<IceListenObj> locals;
    for (int i = 0; i < count; ++i) {
        IceSetHostBasedAuthProc(listeners[i], anyHost);
        char* id = IceGetListenConnectionString(listeners[i]);
        if (id && strncmp(id, "local/", 6) == 0) locals.push_back(listeners[i]);
        free(id);
    }
    if (locals.empty()) locals.assign(listeners, listeners + count);
    char* address = IceComposeNetworkIdList(int(locals.size()), locals.data());
    say("SESSION_MANAGER=%s", address);
    free(address);

    std::string input;
    for (;;) {
        std::vector<pollfd> fds;
        fds.push_back({STDIN_FILENO, POLLIN, 0});
        for (IceListenObj l : locals) fds.push_back({IceGetListenConnectionNumber(l), POLLIN, 0});
        std::vector<IceConn> polled = gConns;
        for (IceConn c : polled) fds.push_back({IceConnectionNumber(c), POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0) continue;
        if (fds[0].revents) {
            char buf[256];
            ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
            if (n <= 0) return 0;  // the test has gone
            input.append(buf, std::size_t(n));
            for (std::size_t nl; (nl = input.find('\n')) != std::string::npos;) {
                std::string line = input.substr(0, nl);
                input.erase(0, nl + 1);
                if (line == "checkpoint") {
                    // The session is saved and goes on.
                    for (SmsConn c : gClients)
                        SmsSaveYourself(c, SmSaveBoth, False, SmInteractStyleNone, False);
                    say("SaveYourself checkpoint");
                }
                if (line == "end") {
                    gEnding = true;
                    for (SmsConn c : gClients)
                        SmsSaveYourself(c, SmSaveBoth, True, SmInteractStyleNone, False);
                    say("SaveYourself shutdown");
                }
            }
        }
        for (std::size_t i = 0; i < locals.size(); ++i)
            if (fds[1 + i].revents) {
                IceAcceptStatus st;
                IceConn c = IceAcceptConnection(locals[i], &st);
                if (!c) continue;
                // Finish the connection's set-up before it joins the others.
                IceConnectStatus cs;
                while ((cs = IceConnectionStatus(c)) == IceConnectPending) {
                    if (IceProcessMessages(c, nullptr, nullptr) == IceProcessMessagesIOError) break;
                }
                if (IceConnectionStatus(c) == IceConnectAccepted)
                    gConns.push_back(c);
                else
                    IceCloseConnection(c);
            }
        for (std::size_t i = 0; i < polled.size(); ++i) {
            IceConn c = polled[i];
            bool live = false;
            for (IceConn k : gConns) live = live || k == c;  // a callback may have closed it
            if (!live || !fds[1 + locals.size() + i].revents) continue;
            if (IceProcessMessages(c, nullptr, nullptr) == IceProcessMessagesIOError) {
                forget(c);
                IceSetShutdownNegotiation(c, False);
                IceCloseConnection(c);
                say("ConnectionLost");
            }
        }
    }
}
