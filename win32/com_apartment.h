// COM on the calling thread for the length of one shell call (the folder browser, a shell
// start), for hosts that never initialised it there. A thread the host already initialised
// keeps its apartment: the call's own initialisation only adds to its count (S_FALSE) and is
// balanced, and a thread of the multithreaded apartment is left as it is (RPC_E_CHANGED_MODE,
// nothing to balance). So the thread's COM state afterwards is the state the host left.
#pragma once

#include <objbase.h>

namespace zr640::win {

class ComForThisCall {
public:
    ComForThisCall()
        : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComForThisCall() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

private:
    HRESULT result_;
};

}  // namespace zr640::win
