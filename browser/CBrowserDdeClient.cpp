#include "browser/CBrowserDdeClient.h"
#include "browser/CapturePage.h"
#include "browser/PageReply.h"
#include "store/Records.h"
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr char kOwnServiceName[] = "MONITOR_DDE_SERVER";
constexpr char kTopic[] = "WWW_GetWindowInfo";

// The live clients, for the callback (DDE passes it no context). GUI thread only.
std::vector<CBrowserDdeClient*>& LiveClients() {
    static std::vector<CBrowserDdeClient*> clients;
    return clients;
}

// A CP_WINANSI string handle freed when it goes out of scope.
class AnsiStringHandle {
public:
    AnsiStringHandle(DWORD instance, const char* text)
        : m_instance(instance), m_hsz(DdeCreateStringHandleA(instance, text, CP_WINANSI)) {}
    ~AnsiStringHandle() { if (m_hsz) DdeFreeStringHandle(m_instance, m_hsz); }
    AnsiStringHandle(const AnsiStringHandle&) = delete;
    AnsiStringHandle& operator=(const AnsiStringHandle&) = delete;
    HSZ get() const { return m_hsz; }
private:
    DWORD m_instance;
    HSZ m_hsz;
};

}  // namespace

CBrowserDdeClient::CBrowserDdeClient() { LiveClients().push_back(this); }

CBrowserDdeClient::~CBrowserDdeClient() {
    auto& clients = LiveClients();
    clients.erase(std::remove(clients.begin(), clients.end(), this), clients.end());
    if (!m_initialised) return;
    EndConversation();
    DdeNameService(m_instance, m_ownService, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(m_instance, m_ownService);
    DdeUninitialize(m_instance);
}

CBrowserDdeClient& CBrowserDdeClient::Process() {
    static CBrowserDdeClient client;
    return client;
}

bool CBrowserDdeClient::RequestWindowInfo(const char* service, const char* item) {
    if (!Initialise()) return false;
    EndConversation();
    HCONV conv = nullptr;
    {
        AnsiStringHandle serviceName(m_instance, service);
        AnsiStringHandle topic(m_instance, kTopic);
        CONVCONTEXT context{};
        context.cb = sizeof(context);
        if (serviceName.get() && topic.get())
            conv = DdeConnect(m_instance, serviceName.get(), topic.get(), &context);
    }
    if (!conv) return false;
    m_conversation = conv;
    AnsiStringHandle itemName(m_instance, item);
    if (!itemName.get()) return false;
    DWORD transaction = 0;
    if (!DdeClientTransaction(nullptr, 0, conv, itemName.get(), CF_TEXT, XTYP_REQUEST,
                              TIMEOUT_ASYNC, &transaction))
        return false;
    m_transaction = transaction;
    return true;
}

// Once per object: the instance and our own service name, which stays registered.
bool CBrowserDdeClient::Initialise() {
    if (m_initialised) return true;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, &CBrowserDdeClient::Callback, CBF_FAIL_SELFCONNECTIONS, 0) !=
        DMLERR_NO_ERROR)
        return false;
    HSZ own = DdeCreateStringHandleA(instance, kOwnServiceName, CP_WINANSI);
    if (!own || !DdeNameService(instance, own, nullptr, DNS_REGISTER)) {
        if (own) DdeFreeStringHandle(instance, own);
        DdeUninitialize(instance);
        return false;
    }
    m_instance = instance;
    m_ownService = own;
    m_initialised = true;
    return true;
}

// An unanswered request dies with its conversation; its answer is never posted.
void CBrowserDdeClient::EndConversation() {
    m_transaction = 0;
    if (HCONV old = std::exchange(m_conversation, nullptr)) DdeDisconnect(old);
}

// The client waiting for this answer. Some servers acknowledge a request after its
// data as well, which completes the same transaction a second time: only the first
// completion counts.
CBrowserDdeClient* CBrowserDdeClient::ForTransaction(HCONV conv, DWORD transaction) {
    if (!conv || !transaction) return nullptr;
    for (CBrowserDdeClient* client : LiveClients())
        if (client->m_conversation == conv && client->m_transaction == transaction) return client;
    return nullptr;
}

HDDEDATA CALLBACK CBrowserDdeClient::Callback(UINT type, UINT, HCONV conv, HSZ, HSZ,
                                              HDDEDATA data, ULONG_PTR data1, ULONG_PTR) {
    try {
        switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(TRUE));
        case XTYP_POKE:
            return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FACK));
        case XTYP_XACT_COMPLETE:
            if (CBrowserDdeClient* client = ForTransaction(conv, static_cast<DWORD>(data1)))
                client->OnTransactionComplete(data);
            return nullptr;
        default:
            return nullptr;
        }
    } catch (...) {
        return nullptr;  // nothing may unwind into the DDE library
    }
}

void CBrowserDdeClient::OnTransactionComplete(HDDEDATA data) {
    m_transaction = 0;
    std::unique_ptr<FavorRecord> record;
    DWORD size = 0;
    if (const BYTE* bytes = data ? DdeAccessData(data, &size) : nullptr) {
        if (auto reply = ParsePageReply(reinterpret_cast<const char*>(bytes), size)) {
            record = std::make_unique<FavorRecord>();
            record->name = std::move(reply->name);
            record->location = std::move(reply->location);
        }
        DdeUnaccessData(data);
    }
    PostFavorCaptured(m_mainWindow, std::move(record));
}
