#pragma once
// MAPI property tags the reader knows (identifier in the high 16 bits, type in the low 16;
// names and numbers as MS-OXPROPS gives them), and the marker tags of the storage walk.

#include <cstdint>

namespace kavio::msgfile {

inline constexpr uint16_t PT_UNSPECIFIED = 0x0000;
inline constexpr uint16_t PT_SHORT = 0x0002;
inline constexpr uint16_t PT_LONG = 0x0003;
inline constexpr uint16_t PT_FLOAT = 0x0004;
inline constexpr uint16_t PT_DOUBLE = 0x0005;
inline constexpr uint16_t PT_CURRENCY = 0x0006;
inline constexpr uint16_t PT_APPTIME = 0x0007;
inline constexpr uint16_t PT_ERROR = 0x000A;
inline constexpr uint16_t PT_BOOLEAN = 0x000B;
inline constexpr uint16_t PT_OBJECT = 0x000D;
inline constexpr uint16_t PT_I8 = 0x0014;
inline constexpr uint16_t PT_STRING8 = 0x001E;
inline constexpr uint16_t PT_UNICODE = 0x001F;
inline constexpr uint16_t PT_SYSTIME = 0x0040;
inline constexpr uint16_t PT_CLSID = 0x0048;
inline constexpr uint16_t PT_BINARY = 0x0102;
inline constexpr uint16_t PT_MV_STRING8 = 0x101E;
inline constexpr uint16_t PT_MV_UNICODE = 0x101F;

constexpr uint32_t MakeTag(uint16_t AId, uint16_t AType) { return (uint32_t(AId) << 16) | AType; }
constexpr uint16_t GetPureTag(uint32_t ATag) { return static_cast<uint16_t>(ATag >> 16); }
constexpr uint16_t GetPropertyType(uint32_t ATag) { return static_cast<uint16_t>(ATag & 0xFFFF); }

// Marker tags the walk gives to storages; no MAPI property has them.
inline constexpr uint32_t TAG_NAMEID_STORAGE = 0x00010000;
inline constexpr uint32_t TAG_RECIPIENT_STORAGE = 0x0C000000;
inline constexpr uint32_t TAG_ATTACHMENT_STORAGE = 0x37000000;

inline constexpr uint32_t PR_ATTACH_DATA_OBJ = 0x3701000D;
inline constexpr uint32_t PR_BODY_W = 0x1000001F;
inline constexpr uint32_t PR_BODY_A = 0x1000001E;
inline constexpr uint32_t PR_RTF_COMPRESSED = 0x10090102;
inline constexpr uint32_t PR_BODY_HTML = 0x1013001E;

inline constexpr uint32_t PR_SUBJECT_W = 0x0037001F;
inline constexpr uint32_t PR_SUBJECT_A = 0x0037001E;
inline constexpr uint32_t PR_CONVERSATION_TOPIC_A = 0x0070001E;
inline constexpr uint32_t PR_SENT_REPRESENTING_EMAIL_ADDRESS_A = 0x0065001E;
inline constexpr uint32_t PR_SENT_REPRESENTING_EMAIL_ADDRESS_W = 0x0065001F;
inline constexpr uint32_t PR_SENT_REPRESENTING_NAME_A = 0x0042001E;
inline constexpr uint32_t PR_SENT_REPRESENTING_NAME_W = 0x0042001F;
inline constexpr uint32_t PR_SENT_REPRESENTING_ADDRTYPE_A = 0x0064001E;
inline constexpr uint32_t PR_SENT_REPRESENTING_ADDRTYPE_W = 0x0064001F;
inline constexpr uint32_t PR_SENT_REPRESENTING_SMTP_ADDRESS_W = 0x5D02001F;
inline constexpr uint32_t PR_SENT_REPRESENTING_SMTP_ADDRESS_A = 0x5D02001E;
inline constexpr uint32_t PR_SENDER_SMTP_ADDRESS_W = 0x5D01001F;
inline constexpr uint32_t PR_SENDER_SMTP_ADDRESS_A = 0x5D01001E;

inline constexpr uint32_t PR_CLIENT_SUBMIT_TIME = 0x00390040;
inline constexpr uint32_t PR_ORIGINAL_SUBMIT_TIME = 0x004E0040;
inline constexpr uint32_t PR_MESSAGE_DELIVERY_TIME = 0x0E060040;
inline constexpr uint32_t PR_ORIGINAL_DELIVERY_TIME = 0x00550040;
inline constexpr uint32_t PR_PROVIDER_SUBMIT_TIME = 0x00480040;
inline constexpr uint32_t PR_LAST_MODIFICATION_TIME = 0x30080040;
inline constexpr uint32_t PR_CREATION_TIME = 0x30070040;
inline constexpr uint32_t PR_DEFERRED_DELIVERY_TIME = 0x000F0040;

inline constexpr uint32_t PR_MESSAGE_CODEPAGE = 0x3FFD0003;
inline constexpr uint32_t PR_MESSAGE_LOCALE_ID = 0x3FF10003;
inline constexpr uint32_t PR_INTERNET_CPID = 0x3FDE0003;

// The time properties in the order the message date is taken from them.
inline constexpr uint32_t MessageDateTags[] = {
    PR_CLIENT_SUBMIT_TIME,   PR_ORIGINAL_SUBMIT_TIME,   PR_MESSAGE_DELIVERY_TIME, PR_ORIGINAL_DELIVERY_TIME,
    PR_PROVIDER_SUBMIT_TIME, PR_LAST_MODIFICATION_TIME, PR_CREATION_TIME,         PR_DEFERRED_DELIVERY_TIME};

}  // namespace kavio::msgfile
