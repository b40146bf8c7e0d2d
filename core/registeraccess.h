#pragma once

#include <QtGlobal>

// Register R0..R50 by number. ReadRegister converts the register's text anew on
// every call and throws ZevoError when it is not an integer.
class RegisterAccess {
public:
    virtual ~RegisterAccess() = default;
    virtual qint32 ReadRegister(qint32 n) const = 0;
    virtual void WriteRegister(qint32 n, qint32 value) = 0;
};
