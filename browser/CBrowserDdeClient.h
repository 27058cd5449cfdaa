// Asks a running browser for the page it shows, by DDE. The answer comes later, on
// the GUI thread's message loop, and reaches the main window as WM_FAVOR_CAPTURED.
// One object serves the program (Process()); it lives until the program ends.
#pragma once
#include <windows.h>
#include <ddeml.h>

// The browser Magic Add asks by DDE, and the item naming its current window.
constexpr char kDdeBrowserService[] = "FireFox";
constexpr char kDdeWindowItem[] = "1";

class CBrowserDdeClient {
public:
    CBrowserDdeClient();
    ~CBrowserDdeClient();
    CBrowserDdeClient(const CBrowserDdeClient&) = delete;
    CBrowserDdeClient& operator=(const CBrowserDdeClient&) = delete;

    static CBrowserDdeClient& Process();

    // Where answers are posted.
    void SetMainWindow(HWND mainWindow) { m_mainWindow = mainWindow; }
    // Connects to the service on topic "WWW_GetWindowInfo" and sends an asynchronous
    // request for the item in CF_TEXT. True when the request is on its way. A new
    // request ends the conversation of the one before, answered or not, so at most
    // one answer is ever outstanding, and it is posted once.
    bool RequestWindowInfo(const char* service, const char* item);

    HCONV Conversation() const { return m_conversation; }

private:
    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2,
                                      HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
    static CBrowserDdeClient* ForTransaction(HCONV conv, DWORD transaction);
    bool Initialise();
    void EndConversation();
    void OnTransactionComplete(HDDEDATA data);

    DWORD m_instance = 0;
    bool m_initialised = false;
    HWND m_mainWindow = nullptr;
    HCONV m_conversation = nullptr;
    DWORD m_transaction = 0;  // the request still waiting for its answer, or 0
    HSZ m_ownService = nullptr;
};
