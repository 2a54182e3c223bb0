// The XML description of agile encryption, read with libxml2: no network, no entities expanded, no DTD
// loaded. Every number is checked for range and every base64 value for the length its size attribute
// gives, so that what the key derivation is handed is consistent.

#include "EncryptionInfo.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <charconv>
#include <cstring>
#include <memory>
#include <optional>

namespace encryption {

namespace {

constexpr char encryptionNamespace[] = "http://schemas.microsoft.com/office/2006/encryption";
constexpr char passwordNamespace[] = "http://schemas.microsoft.com/office/2006/keyEncryptor/password";

// Attributes larger than this are not a key, a salt or a hash.
constexpr std::size_t largestValue = 1024;
constexpr std::uint32_t largestSpinCount = 10'000'000;

struct DocumentDeleter {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

bool named(const xmlNode* node, const char* name, const char* nameSpace) {
    return node->type == XML_ELEMENT_NODE &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0 && node->ns &&
           std::strcmp(reinterpret_cast<const char*>(node->ns->href), nameSpace) == 0;
}

const xmlNode* child(const xmlNode* parent, const char* name, const char* nameSpace) {
    for (const xmlNode* node = parent->children; node; node = node->next)
        if (named(node, name, nameSpace))
            return node;
    return nullptr;
}

std::optional<std::string> attribute(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetNoNsProp(node, reinterpret_cast<const xmlChar*>(name));
    if (!value)
        return std::nullopt;
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    if (text.size() > largestValue)
        return std::nullopt;
    return text;
}

std::optional<std::uint32_t> number(const xmlNode* node, const char* name) {
    const std::optional<std::string> text = attribute(node, name);
    if (!text || text->empty())
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size())
        return std::nullopt;
    return value;
}

std::optional<Bytes> base64(const xmlNode* node, const char* name) {
    const std::optional<std::string> text = attribute(node, name);
    Bytes bytes;
    if (!text || !decodeBase64(*text, bytes))
        return std::nullopt;
    return bytes;
}

// The attributes keyData and encryptedKey share; the reason it cannot be used, or nothing.
std::optional<std::string> readCipher(const xmlNode* node, AgileCipher& cipher) {
    const auto saltSize = number(node, "saltSize");
    const auto blockSize = number(node, "blockSize");
    const auto keyBits = number(node, "keyBits");
    const auto hashSize = number(node, "hashSize");
    const auto cipherAlgorithm = attribute(node, "cipherAlgorithm");
    const auto cipherChaining = attribute(node, "cipherChaining");
    const auto hashAlgorithm = attribute(node, "hashAlgorithm");
    auto salt = base64(node, "saltValue");
    if (!saltSize || !blockSize || !keyBits || !hashSize || !cipherAlgorithm || !cipherChaining ||
        !hashAlgorithm || !salt)
        return "an attribute of the cipher is missing or malformed";
    if (salt->size() != *saltSize || *saltSize < 1 || *saltSize > 65536)
        return "the salt does not have the size given for it";
    cipher = AgileCipher{*cipherAlgorithm, *cipherChaining, *hashAlgorithm,  *keyBits,
                         *blockSize,       *hashSize,       std::move(*salt)};
    return std::nullopt;
}

} // namespace

EncryptionInfo readAgileDescription(std::string_view xml) {
    if (xml.empty() || xml.size() > 65536)
        return Damaged{"the agile encryption description is empty or too large"};
    const std::unique_ptr<xmlDoc, DocumentDeleter> document(
        xmlReadMemory(xml.data(), int(xml.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA));
    const xmlNode* root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (!root || !named(root, "encryption", encryptionNamespace))
        return Damaged{"the agile encryption description is not well-formed XML"};

    Agile agile;
    const xmlNode* keyData = child(root, "keyData", encryptionNamespace);
    if (!keyData)
        return Damaged{"the agile encryption description has no keyData"};
    if (const auto reason = readCipher(keyData, agile.keyData))
        return Damaged{"keyData: " + *reason};

    // One key encryptor, the password's: a file encrypted for certificates cannot be opened with one.
    const xmlNode* encryptors = child(root, "keyEncryptors", encryptionNamespace);
    const xmlNode* encryptor = encryptors ? child(encryptors, "keyEncryptor", encryptionNamespace) : nullptr;
    const xmlNode* key = nullptr;
    for (; encryptor && !key; encryptor = encryptor->next)
        if (named(encryptor, "keyEncryptor", encryptionNamespace) &&
            attribute(encryptor, "uri").value_or(std::string()) == passwordNamespace)
            key = child(encryptor, "encryptedKey", passwordNamespace);
    if (!key)
        return Unsupported{"agile encryption without a password key encryptor"};
    if (const auto reason = readCipher(key, agile.passwordKey))
        return Damaged{"encryptedKey: " + *reason};
    const auto spinCount = number(key, "spinCount");
    auto hashInput = base64(key, "encryptedVerifierHashInput");
    auto hashValue = base64(key, "encryptedVerifierHashValue");
    auto keyValue = base64(key, "encryptedKeyValue");
    if (!spinCount || !hashInput || !hashValue || !keyValue)
        return Damaged{"encryptedKey: the spin count or an encrypted value is missing or malformed"};
    if (*spinCount > largestSpinCount)
        return Damaged{"encryptedKey: the spin count is out of range"};
    agile.spinCount = *spinCount;
    agile.encryptedVerifierHashInput = std::move(*hashInput);
    agile.encryptedVerifierHashValue = std::move(*hashValue);
    agile.encryptedKeyValue = std::move(*keyValue);
    return agile;
}

} // namespace encryption
