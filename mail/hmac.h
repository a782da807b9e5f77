#ifndef HMAC_H
#define HMAC_H

#include <QByteArray>
#include <QCryptographicHash>

// A keyed hash after RFC 2104 with a block size of 64 bytes (MD5, SHA-1,
// SHA-256). The SMTP client uses it with MD5 for CRAM-MD5.
class Hmac
{
public:
    explicit Hmac(QCryptographicHash::Algorithm algorithm);

    void setKey(const QByteArray &key);
    void addData(const QByteArray &data);
    // The keyed hash of everything added since setKey; computed once and kept
    // until more data is added.
    QByteArray result();

private:
    QCryptographicHash m_inner;
    QCryptographicHash m_outer;
    QByteArray m_outerPad;
    QByteArray m_innerPad;
    QByteArray m_result;
    QCryptographicHash::Algorithm m_algorithm;
};

#endif // HMAC_H
