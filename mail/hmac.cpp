#include "hmac.h"

namespace {
const int BlockSize = 64;
}

Hmac::Hmac(QCryptographicHash::Algorithm algorithm)
    : m_inner(algorithm)
    , m_outer(algorithm)
    , m_algorithm(algorithm)
{
}

void Hmac::setKey(const QByteArray &key)
{
    m_outerPad = QByteArray(BlockSize, char(0x5c));
    m_innerPad = QByteArray(BlockSize, char(0x36));
    const QByteArray k = key.size() > BlockSize ? QCryptographicHash::hash(key, m_algorithm) : key;
    for (int i = 0; i < k.size(); ++i) {
        m_outerPad[i] = char(m_outerPad.at(i) ^ k.at(i));
        m_innerPad[i] = char(m_innerPad.at(i) ^ k.at(i));
    }
    m_inner.reset();
    m_inner.addData(m_innerPad);
    m_result.clear();
}

void Hmac::addData(const QByteArray &data)
{
    m_inner.addData(data);
    m_result.clear();
}

QByteArray Hmac::result()
{
    if (m_result.isEmpty()) {
        m_outer.reset();
        m_outer.addData(m_outerPad);
        m_outer.addData(m_inner.result());
        m_result = m_outer.result();
    }
    return m_result;
}
