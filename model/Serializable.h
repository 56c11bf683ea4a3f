// Base of every record that writes itself to a practice file.
#pragma once

class CArchivo;

class CSerializable {
public:
    virtual ~CSerializable() = default;
    // Writes the record when the archive is storing, reads it otherwise. Reading throws
    // CErrorArchivo on a truncated or malformed record.
    virtual void Serialize(CArchivo& ar) = 0;

protected:
    CSerializable() = default;
    CSerializable(const CSerializable&) = default;
    CSerializable& operator=(const CSerializable&) = default;
};
