// The scratch copy of a request's value that each device link works on, so
// that a device that fails (or answers second) never touches the caller's
// value.
#pragma once

#include "Corvala.h"

class RequestValue {
public:
    // False for a type the library does not carry or a null value.
    static bool IsCarried(int type, const void* value);

    RequestValue(int mode, int type, void* callerValue);
    ~RequestValue();
    RequestValue(const RequestValue&) = delete;
    RequestValue& operator=(const RequestValue&) = delete;

    // Sets the scratch back to the caller's value before the next link.
    void Reset();
    void* Scratch();
    // Hands the scratch answer to the caller: a read fills the value, a write
    // passes back a text or number answer (lists sent are never changed).
    void Deliver();

private:
    int m_nMode;
    int m_nType;
    void* m_pCaller;
    int m_nInt = 0;
    double m_dReal = 0.0;
    // Text requests only; left uninitialised otherwise, as values are
    // polled for every block on every tick.
    char m_szSent[REQUEST_TEXT_SIZE];
    char m_szText[REQUEST_TEXT_SIZE];
    STRINGLIST m_List;
};
