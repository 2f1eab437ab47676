// IActiveFormX: the form's standard properties and the control's own three,
// their change notification, and the form's events forwarded to the sinks.
#include "ActiveFormXImpl.h"
#include "SysUtils.h"
#include "Trace.h"
#include <cstdio>

namespace {

const DISPID kDispVisible = 1, kDispAutoScroll = 2, kDispAutoSize = 3, kDispAxBorderStyle = 4, kDispBorderWidth = 5,
             kDispKeyPreview = 6, kDispPixelsPerInch = 7, kDispPrintScale = 8, kDispScaled = 9,
             kDispDropTarget = 11, kDispHelpFile = 12, kDispDoubleBuffered = 13, kDispSkin = 16, kDispAddress = 20,
             kDispPort = 21;
const DISPID kDispCaption = -518, kDispColor = -501, kDispFont = -512, kDispEnabled = -514;

} // namespace

void TActiveFormXImpl::BindEvents()
{
    TFormEvents& e = FForm->View().Events;
    e.OnActivate = [this] {
        // The focus came into the form: the control becomes UI active, so the
        // host offers it its keys (TranslateAccelerator).
        if (FInPlaceActive && !FUIActive) {
            HRESULT hr = Guard([&] { return InPlaceActivate(true); });
            if (FAILED(hr)) Trace::Failure(Trace::Viewer, "UI activation on focus failed", hr);
        }
        FireEvent(kOnActivate);
    };
    e.OnClick = [this] { FireEvent(kOnClick); };
    e.OnCreate = [this] { FireEvent(kOnCreate); };
    e.OnDblClick = [this] { FireEvent(kOnDblClick); };
    e.OnDeactivate = [this] { FireEvent(kOnDeactivate); };
    e.OnDestroy = [this] { FireEvent(kOnDestroy); };
    e.OnPaint = [this] { FireEvent(kOnPaint); };
    e.OnMouseMove = [this] { FireEvent(kOnMouseMove); };
    e.OnKeyPress = [this](short& Key) { FireEvent(kOnKeyPress, &Key); };
}

void TActiveFormXImpl::FireEvent(DISPID Id, short* Key)
{
    if (FFreezeEvents > 0) return;
    for (const TComPtr<IUnknown>& unk : FEvents.Sinks()) {
        IDispatch* sink = static_cast<IDispatch*>(unk.Get());
        VARIANT arg;
        VariantInit(&arg);
        DISPPARAMS params = {nullptr, nullptr, 0, 0};
        if (Key) {
            V_VT(&arg) = VT_I2 | VT_BYREF;
            V_I2REF(&arg) = Key;
            params.rgvarg = &arg;
            params.cArgs = 1;
        }
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO excep = {};
        UINT argErr = 0;
        HRESULT hr = sink->Invoke(Id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &excep, &argErr);
        char line[128];
        snprintf(line, sizeof(line), "Inv(%d) %s, 0x%lX, retVT(0x%X), ErrArg(%d)\n", static_cast<int>(Id),
                 SUCCEEDED(hr) ? "OK" : "FL", static_cast<unsigned long>(hr), static_cast<unsigned>(V_VT(&result)),
                 static_cast<int>(argErr));
        OutputDebugStringA(line);
        VariantClear(&result);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
}

HRESULT TActiveFormXImpl::FireOnRequestEdit(DISPID Id)
{
    HRESULT result = S_OK;
    for (const TComPtr<IUnknown>& unk : FPropertyNotify.Sinks())
        if (result == S_OK && static_cast<IPropertyNotifySink*>(unk.Get())->OnRequestEdit(Id) == S_FALSE) result = S_FALSE;
    return result;
}

void TActiveFormXImpl::FireOnChanged(DISPID Id)
{
    for (const TComPtr<IUnknown>& unk : FPropertyNotify.Sinks()) static_cast<IPropertyNotifySink*>(unk.Get())->OnChanged(Id);
}

template <class F> HRESULT TActiveFormXImpl::Change(DISPID Id, F Store)
{
    return Guard([&]() -> HRESULT {
        if (FireOnRequestEdit(Id) == S_FALSE) return S_FALSE;
        Store();
        FDirty = true;
        FireOnChanged(Id);
        return S_OK;
    });
}

HRESULT TActiveFormXImpl::GetBool(TFormProp Prop, VARIANT_BOOL* Value)
{
    if (!Value) return E_POINTER;
    return Guard([&]() -> HRESULT {
        *Value = FForm->View().GetProp(Prop) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT TActiveFormXImpl::SetBool(TFormProp Prop, DISPID Id, VARIANT_BOOL Value)
{
    return Change(Id, [&] { FForm->View().SetProp(Prop, Value ? 1 : 0); });
}

HRESULT TActiveFormXImpl::GetInt(TFormProp Prop, LONG* Value)
{
    if (!Value) return E_POINTER;
    return Guard([&]() -> HRESULT {
        *Value = FForm->View().GetProp(Prop);
        return S_OK;
    });
}

template <class T> HRESULT TActiveFormXImpl::GetIntAs(TFormProp Prop, T* Value)
{
    if (!Value) return E_POINTER;
    LONG v = 0;
    HRESULT hr = GetInt(Prop, &v);
    *Value = static_cast<T>(v);
    return hr;
}

HRESULT TActiveFormXImpl::SetInt(TFormProp Prop, DISPID Id, LONG Value)
{
    return Change(Id, [&] { FForm->View().SetProp(Prop, Value); });
}

HRESULT TActiveFormXImpl::GetTextProp(TFormTextProp Prop, BSTR* Value)
{
    if (!Value) return E_POINTER;
    return Guard([&]() -> HRESULT {
        *Value = StringToBstr(FForm->View().GetText(Prop));
        return S_OK;
    });
}

HRESULT TActiveFormXImpl::SetTextProp(TFormTextProp Prop, DISPID Id, BSTR Value)
{
    return Change(Id, [&] { FForm->View().SetText(Prop, BstrToString(Value)); });
}

STDMETHODIMP TActiveFormXImpl::get_Visible(VARIANT_BOOL* Value) { return GetBool(fpVisible, Value); }
STDMETHODIMP TActiveFormXImpl::put_Visible(VARIANT_BOOL Value) { return SetBool(fpVisible, kDispVisible, Value); }
STDMETHODIMP TActiveFormXImpl::get_AutoScroll(VARIANT_BOOL* Value) { return GetBool(fpAutoScroll, Value); }
STDMETHODIMP TActiveFormXImpl::put_AutoScroll(VARIANT_BOOL Value) { return SetBool(fpAutoScroll, kDispAutoScroll, Value); }
STDMETHODIMP TActiveFormXImpl::get_AutoSize(VARIANT_BOOL* Value) { return GetBool(fpAutoSize, Value); }
STDMETHODIMP TActiveFormXImpl::put_AutoSize(VARIANT_BOOL Value) { return SetBool(fpAutoSize, kDispAutoSize, Value); }

STDMETHODIMP TActiveFormXImpl::get_AxBorderStyle(TxActiveFormBorderStyle* Value) { return GetIntAs(fpAxBorderStyle, Value); }

STDMETHODIMP TActiveFormXImpl::put_AxBorderStyle(TxActiveFormBorderStyle Value)
{
    return SetInt(fpAxBorderStyle, kDispAxBorderStyle, static_cast<LONG>(Value));
}

STDMETHODIMP TActiveFormXImpl::get_BorderWidth(LONG* Value) { return GetInt(fpBorderWidth, Value); }
STDMETHODIMP TActiveFormXImpl::put_BorderWidth(LONG Value) { return SetInt(fpBorderWidth, kDispBorderWidth, Value); }
STDMETHODIMP TActiveFormXImpl::get_Caption(BSTR* Value) { return GetTextProp(fpCaption, Value); }
STDMETHODIMP TActiveFormXImpl::put_Caption(BSTR Value) { return SetTextProp(fpCaption, kDispCaption, Value); }

STDMETHODIMP TActiveFormXImpl::get_Color(OLE_COLOR* Value) { return GetIntAs(fpColor, Value); }

STDMETHODIMP TActiveFormXImpl::put_Color(OLE_COLOR Value)
{
    return Change(kDispColor, [&] {
        COLORREF c = RGB(0, 0, 0);
        OleCheck(OleTranslateColor(Value, nullptr, &c), "Invalid colour");
        FForm->View().SetProp(fpColor, static_cast<int>(Value));
    });
}

STDMETHODIMP TActiveFormXImpl::get_Font(IFontDisp** Value)
{
    if (!Value) return E_POINTER;
    *Value = nullptr;
    return Guard([&]() -> HRESULT {
        if (!FFont) {
            LOGFONTA lf = {};
            FForm->View().GetFont(lf);
            TWideString name = AnsiToWide(lf.lfFaceName);
            FONTDESC fd = {sizeof(FONTDESC), const_cast<LPOLESTR>(name.c_str()), {}, 0, 0, FALSE, FALSE, FALSE};
            int height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
            fd.cySize.int64 = static_cast<LONGLONG>(height) * 72 * 10000 / ScreenPixelsPerInch(false);
            fd.sWeight = static_cast<SHORT>(lf.lfWeight ? lf.lfWeight : FW_NORMAL);
            fd.sCharset = lf.lfCharSet;
            fd.fItalic = lf.lfItalic != 0;
            fd.fUnderline = lf.lfUnderline != 0;
            fd.fStrikethrough = lf.lfStrikeOut != 0;
            OleCheck(OleCreateFontIndirect(&fd, IID_IFontDisp, FFont.PutVoid()), "The font object cannot be made");
        }
        *Value = FFont.Copy().Detach();
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::put_Font(IFontDisp* Value)
{
    if (!Value) return E_POINTER;
    return Change(kDispFont, [&] {
        TComPtr<IFont> font;
        OleCheck(Value->QueryInterface(IID_IFont, font.PutVoid()), "Not a font object");
        if (!font) throw EOleSysError("Not a font object", E_NOINTERFACE);
        HFONT h = nullptr;
        LOGFONTA lf = {};
        if (SUCCEEDED(font->get_hFont(&h)) && h) GetObjectA(h, sizeof(lf), &lf);
        TComPtr<IFont> copy;
        HRESULT cloned = font->Clone(copy.Put());
        FForm->View().SetFont(lf);
        FFont.Reset();
        if (SUCCEEDED(cloned) && copy) copy.As(IID_IFontDisp, FFont);
        else Trace::Failure(Trace::Viewer, "font not copied; the next read makes one from the form", cloned);
    });
}

STDMETHODIMP TActiveFormXImpl::putref_Font(IFontDisp* Value) { return put_Font(Value); }

STDMETHODIMP TActiveFormXImpl::get_KeyPreview(VARIANT_BOOL* Value) { return GetBool(fpKeyPreview, Value); }
STDMETHODIMP TActiveFormXImpl::put_KeyPreview(VARIANT_BOOL Value) { return SetBool(fpKeyPreview, kDispKeyPreview, Value); }
STDMETHODIMP TActiveFormXImpl::get_PixelsPerInch(LONG* Value) { return GetInt(fpPixelsPerInch, Value); }
STDMETHODIMP TActiveFormXImpl::put_PixelsPerInch(LONG Value) { return SetInt(fpPixelsPerInch, kDispPixelsPerInch, Value); }

STDMETHODIMP TActiveFormXImpl::get_PrintScale(TxPrintScale* Value) { return GetIntAs(fpPrintScale, Value); }

STDMETHODIMP TActiveFormXImpl::put_PrintScale(TxPrintScale Value)
{
    return SetInt(fpPrintScale, kDispPrintScale, static_cast<LONG>(Value));
}

STDMETHODIMP TActiveFormXImpl::get_Scaled(VARIANT_BOOL* Value) { return GetBool(fpScaled, Value); }
STDMETHODIMP TActiveFormXImpl::put_Scaled(VARIANT_BOOL Value) { return SetBool(fpScaled, kDispScaled, Value); }
STDMETHODIMP TActiveFormXImpl::get_Active(VARIANT_BOOL* Value) { return GetBool(fpActive, Value); }
STDMETHODIMP TActiveFormXImpl::get_DropTarget(VARIANT_BOOL* Value) { return GetBool(fpDropTarget, Value); }
STDMETHODIMP TActiveFormXImpl::put_DropTarget(VARIANT_BOOL Value) { return SetBool(fpDropTarget, kDispDropTarget, Value); }
STDMETHODIMP TActiveFormXImpl::get_HelpFile(BSTR* Value) { return GetTextProp(fpHelpFile, Value); }
STDMETHODIMP TActiveFormXImpl::put_HelpFile(BSTR Value) { return SetTextProp(fpHelpFile, kDispHelpFile, Value); }
STDMETHODIMP TActiveFormXImpl::get_DoubleBuffered(VARIANT_BOOL* Value) { return GetBool(fpDoubleBuffered, Value); }
STDMETHODIMP TActiveFormXImpl::put_DoubleBuffered(VARIANT_BOOL Value)
{
    return SetBool(fpDoubleBuffered, kDispDoubleBuffered, Value);
}
STDMETHODIMP TActiveFormXImpl::get_AlignDisabled(VARIANT_BOOL* Value) { return GetBool(fpAlignDisabled, Value); }
STDMETHODIMP TActiveFormXImpl::get_VisibleDockClientCount(LONG* Value) { return GetInt(fpVisibleDockClientCount, Value); }
STDMETHODIMP TActiveFormXImpl::get_Enabled(VARIANT_BOOL* Value) { return GetBool(fpEnabled, Value); }
STDMETHODIMP TActiveFormXImpl::put_Enabled(VARIANT_BOOL Value) { return SetBool(fpEnabled, kDispEnabled, Value); }

template <class F> HRESULT TActiveFormXImpl::GetOwnText(F Read, BSTR* Value)
{
    if (!Value) return E_POINTER;
    return Guard([&]() -> HRESULT {
        *Value = StringToBstr(Read());
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::get_Skin(BSTR* Value)
{
    return GetOwnText([&] { return FForm->GetSkin(); }, Value);
}

STDMETHODIMP TActiveFormXImpl::put_Skin(BSTR Value)
{
    return Change(kDispSkin, [&] { FForm->SetSkin(BstrToString(Value)); });
}

STDMETHODIMP TActiveFormXImpl::get_address(BSTR* Value)
{
    return GetOwnText([&] { return FForm->GetAddress(); }, Value);
}

STDMETHODIMP TActiveFormXImpl::put_address(BSTR Value)
{
    return Change(kDispAddress, [&] { FForm->SetAddress(BstrToString(Value)); });
}

STDMETHODIMP TActiveFormXImpl::get_Port(LONG* Value)
{
    if (!Value) return E_POINTER;
    return Guard([&]() -> HRESULT {
        *Value = FForm->GetPort();
        return S_OK;
    });
}

STDMETHODIMP TActiveFormXImpl::put_Port(LONG Value)
{
    return Change(kDispPort, [&] { FForm->SetPort(Value); });
}

