// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tremora::fuzz
{

/// Path of a file of the real data kept with the tests.
QString testData(const QString& relativePath);
QByteArray readAll(const QString& path);

/// A file in a folder of its own that lives as long as the fuzzing process.
QString scratchFile(const QString& name);
bool writeAll(const QString& path, const uint8_t* data, size_t size);

/// Reads the bytes of the input one value at a time; past the end every value is zero.
class Input
{
public:
    Input(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    template <typename T> T take()
    {
        T value {};
        const size_t n = std::min(sizeof(T), m_size - m_at);
        if (n > 0)
            std::memcpy(&value, m_data + m_at, n);
        m_at += n;
        return value;
    }
    size_t left() const { return m_size - m_at; }
    const uint8_t* rest() const { return m_data + m_at; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

} // namespace tremora::fuzz
