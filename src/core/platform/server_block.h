#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstddef>

namespace lumadex {

// The hand-over block shared with the companion programs: 2048 bytes of named shared memory.
// Little-endian 32-bit window handles at offsets 0 (this program), 4 (Brenoth) and 8
// (Quillan); a zero-terminated path at offset 1024.
class ServerBlock {
public:
    static constexpr char kDefaultName[] = "/Lumadex Server";
    static constexpr std::size_t kSize = 2048;
    static constexpr std::size_t kMainWindowOffset = 0;
    static constexpr std::size_t kBrenothOffset = 4;
    static constexpr std::size_t kQuillanOffset = 8;
    static constexpr std::size_t kPathOffset = 1024;
    // The path field's room for text; the last byte holds the terminating zero.
    static constexpr std::size_t kMaxPathBytes = kSize - kPathOffset - 1;

    // Creates the block, or opens it when another copy of the program (or a companion) made
    // it, and maps it. isOpen() says whether that worked; a closed block ignores writes and
    // reads zeros.
    explicit ServerBlock(const char* name = kDefaultName);
    ~ServerBlock();
    ServerBlock(const ServerBlock&) = delete;
    ServerBlock& operator=(const ServerBlock&) = delete;

    bool isOpen() const { return view_ != nullptr; }

    void WriteMainWindowHandle(quint32 handle);
    quint32 MainWindowHandle() const;
    quint32 BrenothHandle() const;
    quint32 QuillanHandle() const;

    // Writes path with its terminating zero into the path field. A path longer than
    // kMaxPathBytes is refused (false) and the field keeps its previous contents: a cut path
    // would name another file.
    bool WritePath(const QByteArray& path);
    // The path field up to its first zero byte, never past the block's end.
    QByteArray Path() const;

private:
    void WriteWord(std::size_t offset, quint32 value);
    quint32 ReadWord(std::size_t offset) const;

    QByteArray name_;
    int descriptor_ = -1;
    unsigned char* view_ = nullptr;
};

} // namespace lumadex
