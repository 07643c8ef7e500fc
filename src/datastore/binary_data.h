#pragma once

#include "datastore/memory_stream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A data component of a window: one payload (text, bitmap or whole file) with a
// file-name extension, kept either plain or as a stored-data block.
class TBinaryData {
public:
    explicit TBinaryData(std::string name = {});
    virtual ~TBinaryData() = default;
    TBinaryData(TBinaryData&&) = default;
    TBinaryData& operator=(TBinaryData&&) = default;

    const std::string& Name() const { return name_; }

    bool Compressed() const { return compressed_; }
    // Switches the representation, encoding or decoding the data stream.
    void SetCompressed(bool compressed);

    const std::string& Extension() const { return extension_; }
    void SetExtension(std::string extension) { extension_ = std::move(extension); }

    // The data stream as kept (a stored-data block when Compressed()).
    const MemoryStream& DataStream() const { return data_; }

    // The uncompressed payload; decoded into a scratch stream when compressed.
    MemoryStream& UnpackedStream();
    // Lets go of what UnpackedStream unpacked; it unpacks again when next asked.
    void FreeUnpacked() { unpacked_.reset(); }
    // The payload as 8-bit text lines, split at CR LF, CR or LF.
    const std::vector<std::string>& Lines();
    // Replaces the payload with the lines, each followed by CR LF; sets the extension "txt".
    void SetLines(const std::vector<std::string>& lines);
    // Writes the uncompressed payload to a file; throws std::system_error on failure.
    void SaveToFile(const std::string& fileName);
    // Replaces the payload with the file's bytes, compressed when Compressed() is
    // set; throws std::system_error when the file cannot be read.
    void LoadFromFile(const std::string& fileName);

    // Size of the data stream; refreshes UncompressedSize() from the block header.
    virtual std::int64_t GetDataSize();
    std::int64_t DataSize() { return GetDataSize(); }
    std::int64_t UncompressedSize() const { return uncompressedSize_; }
    // Compression ratio as text, such as "84%".
    std::string ratio();

    // The stored property value: a signed 32-bit little-endian count, then the data stream's bytes.
    std::string WriteTheData() const;
    // A count below 1 leaves the data stream as it is. Throws std::invalid_argument
    // when the value does not hold exactly count bytes after the count.
    void ReadTheData(std::string_view value);

private:
    // Makes the plain bytes the payload, compressing them when Compressed() is set.
    void ReplacePayload(std::string plain);

    std::string name_;
    MemoryStream data_;
    std::unique_ptr<MemoryStream> unpacked_;
    std::vector<std::string> lines_;
    std::string extension_;
    bool compressed_ = false;
    std::int64_t uncompressedSize_ = 0;
};
