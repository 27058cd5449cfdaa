// IID_IXmlReader is defined here: MinGW's import libraries lack it.
#include <windows.h>
#include <initguid.h>
#include "sync/XmlLiteReader.h"
#include <shlwapi.h>

XmlLiteReader OpenXmlReader(std::string_view bytes, UINT maxDepth) {
    XmlLiteReader r;
    if (bytes.size() > 0xFFFFFFFFu) return r;
    r.budget = bytes.size() + 16;
    r.stream.attach(SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
    if (!r.stream || FAILED(CreateXmlReader(IID_IXmlReader, r.reader.put_void(), nullptr))) {
        r.reader.reset();
        return r;
    }
    // Where the reader has no depth bound of its own, callers count levels themselves.
    r.reader->SetProperty(XmlReaderProperty_MaxElementDepth, maxDepth);
    if (FAILED(r.reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
        FAILED(r.reader->SetInput(r.stream.get())))
        r.reader.reset();
    return r;
}
