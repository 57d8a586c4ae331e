#include "textcodec.h"

namespace velmora {

QStringEncoder SystemEncoder()
{
    return QStringEncoder(QStringConverter::System, QStringConverter::Flag::Stateless);
}

QStringDecoder SystemDecoder()
{
    // A text that starts with a byte-order mark keeps it: the decoder would otherwise drop it, and a name
    // would come back shorter than it was saved.
    return QStringDecoder(QStringConverter::System,
                          QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
}

QByteArray EncodeWithin(QStringView text, QStringEncoder &encoder, qsizetype limit)
{
    const auto encode = [&encoder](QStringView part) {
        encoder.resetState();
        return QByteArray(encoder.encode(part));
    };
    QByteArray whole = encode(text);
    if (whole.size() <= limit)
        return whole;

    // The encoded length grows with the prefix, so the longest prefix that fits is found by halving.
    // A prefix never ends between the two halves of a surrogate pair.
    const auto boundary = [text](qsizetype n) {
        return n > 0 && n < text.size() && text[n - 1].isHighSurrogate() && text[n].isLowSurrogate() ? n - 1
                                                                                                     : n;
    };
    qsizetype low = 0;
    qsizetype high = text.size() - 1;
    while (low < high) {
        const qsizetype mid = low + (high - low + 1) / 2;
        if (encode(text.first(boundary(mid))).size() <= limit)
            low = mid;
        else
            high = mid - 1;
    }
    return encode(text.first(boundary(low)));
}

} // namespace velmora
