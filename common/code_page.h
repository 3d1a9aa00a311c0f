#pragma once
// Conversions between the program's byte texts and UTF-8. Lines arrive either
// in GBK (the Chinese Windows code page of the instrument and of older files)
// or in UTF-8 (files made on Linux); exports that need one encoding convert
// here. The conversions come from the platform: code_page_posix.cpp uses the C
// library's iconv, code_page_win32.cpp the Windows code pages.

#include <cstddef>
#include <string>
#include <string_view>

namespace vm {

bool IsAscii(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);
// The length of the UTF-8 sequence that lead starts: 1 to 4, or 0 for a byte
// that starts none.
size_t Utf8SequenceLength(unsigned char lead);

// GBK to UTF-8, read through GB18030 (its superset). A byte that starts no
// character becomes U+FFFD and the text after it is kept; the single byte 0x80
// is the code page's euro sign.
std::string GbkToUtf8(std::string_view gbk);

// UTF-8 to GBK. A character GBK cannot hold (and any byte that is not UTF-8)
// becomes '?', so the loss stays visible; replaced (if given) counts them.
std::string Utf8ToGbk(std::string_view utf8, size_t* replaced = nullptr);

// For the text pane, which keeps every byte: the longest start of the input
// that is whole characters the system converts (GB18030 to UTF-8, or back) is
// appended to out; returns the bytes used. The caller decides what the byte
// after them stands for.
size_t Gb18030PrefixToUtf8(std::string_view bytes, std::string& out);
size_t Utf8PrefixToGb18030(std::string_view utf8, std::string& out);

// False when the system has no converters: then only ASCII converts.
bool CodePageConvertersAvailable();

}  // namespace vm
