#pragma once
// Builds compound-file bytes from a directory table given entry by entry, so
// tests can shape the red-black directory tree freely (left children, red
// nodes, entry order differing from name order), which a writer never does.
// Streams are either empty or at least 4096 bytes (kept in regular sectors).

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

constexpr uint32_t kNoEntry = 0xFFFFFFFF;

struct DirectoryEntry
{
    std::u16string name;
    uint8_t type = 2;   // 1 storage, 2 stream, 5 root
    uint8_t color = 1;  // 0 red, 1 black
    uint32_t left = kNoEntry;
    uint32_t right = kNoEntry;
    uint32_t child = kNoEntry;
    std::vector<uint8_t> data;
};

// Entry 0 must be the root.
std::vector<uint8_t> BuildCompoundBytes(const std::vector<DirectoryEntry>& entries);

// Changes to built bytes, for damaged files: the sector that follows
// `sector` in the FAT, and the first sector and the size that directory
// entry `entry` states.
void SetNextSector(std::vector<uint8_t>& bytes, uint32_t sector, uint32_t next);
uint32_t FirstSectorOf(const std::vector<uint8_t>& bytes, uint32_t entry);
void SetStreamSize(std::vector<uint8_t>& bytes, uint32_t entry, uint32_t size);

}  // namespace testsupport
