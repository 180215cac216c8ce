#include "sync/TERecords.h"

#include <cstring>
#include <string_view>

#include "sync/TERecordTokens.h"

namespace {

struct KeyForm {
    const char* pszPrefix;
    TEProcKind nKind;
    bool bHasParameter;
};

// The order in which keys are tried; the first form that reads wins.
constexpr KeyForm kKeyForms[] = {
    {"CTEProcIN_", TE_PROC_IN, false},
    {"CTEProcOUT_", TE_PROC_OUT, false},
    {"CTEProcCalIN_", TE_PROC_CALIN, false},
    {"CTEProcFUNC_", TE_PROC_FUNC, true},
    {"CTEProcRTC_", TE_PROC_RTC, true},
};

bool ReadKeyBody(const KeyForm& form, std::string_view body, TETypeKey* pKey)
{
    std::string_view number = body;
    std::string_view parameter;
    if (form.bHasParameter) {
        size_t x = body.find('x');
        if (x == std::string_view::npos)
            return false;
        number = body.substr(0, x);
        parameter = body.substr(x + 1);
        if (parameter.empty() || parameter.size() > TE_MAX_KEY_PARAMETER)
            return false;
    }
    int n = 0;
    if (!TEParseInt(number, &n))
        return false;
    pKey->nKind = form.nKind;
    pKey->nNumber = n;
    pKey->strParameter.assign(parameter);
    return true;
}

const KeyForm* FindForm(TEProcKind nKind)
{
    for (const KeyForm& form : kKeyForms) {
        if (form.nKind == nKind)
            return &form;
    }
    return nullptr;
}

}  // namespace

BOOL TEParseTypeKey(const char* pszKey, TETypeKey* pKey)
{
    if (pszKey == nullptr || pKey == nullptr)
        return FALSE;
    std::string_view key(pszKey);
    // A key is one field of a proc record.
    if (key.find_first_of(TE_RECORD_SEPARATORS) != std::string_view::npos)
        return FALSE;
    for (const KeyForm& form : kKeyForms) {
        if (key.starts_with(form.pszPrefix) &&
            ReadKeyBody(form, key.substr(std::strlen(form.pszPrefix)), pKey))
            return TRUE;
    }
    return FALSE;
}

std::string TEFormatTypeKey(const TETypeKey& key)
{
    const KeyForm* pForm = FindForm(key.nKind);
    if (pForm == nullptr)
        return std::string();
    std::string text = pForm->pszPrefix + std::to_string(key.nNumber);
    if (pForm->bHasParameter)
        text += 'x' + key.strParameter;
    return text;
}

BOOL TEReadProcRecord(const char* pszRecord, TEProcRecord* pRecord)
{
    if (pszRecord == nullptr || pRecord == nullptr)
        return FALSE;
    std::vector<std::string_view> fields = TESplitRecord(pszRecord);
    if (fields.size() != 3 || fields[1].size() > TE_MAX_BLOCK_NAME)
        return FALSE;
    int x = 0;
    int y = 0;
    if (!TEParsePoint(fields[2], &x, &y))
        return FALSE;
    pRecord->strTypeKey.assign(fields[0]);
    pRecord->strName.assign(fields[1]);
    pRecord->x = x;
    pRecord->y = y;
    return TRUE;
}

std::string TEFormatProcRecord(const char* pszTypeKey, const char* pszName, int x, int y)
{
    return std::string(pszTypeKey ? pszTypeKey : "") + ' ' + TEFormatProcPosition(pszName, x, y);
}

std::string TEFormatProcPosition(const char* pszName, int x, int y)
{
    return std::string(pszName ? pszName : "") + ' ' + std::to_string(x) + ',' + std::to_string(y);
}

std::string TEFormatDeleteText(const char* pszName)
{
    return pszName ? pszName : "";
}

BOOL TECopyRequestText(const std::string& text, char* pszBuffer, size_t cbBuffer)
{
    if (pszBuffer == nullptr || cbBuffer == 0)
        return FALSE;
    if (text.size() >= cbBuffer) {
        pszBuffer[0] = '\0';
        return FALSE;
    }
    std::memcpy(pszBuffer, text.c_str(), text.size() + 1);
    return TRUE;
}
