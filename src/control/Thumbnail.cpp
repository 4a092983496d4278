#include "control/Thumbnail.h"

#include "shared/Error.h"
#include "shared/FileText.h"
#include "shared/Paths.h"
#include "shared/Settings.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <emf2svg.h>

namespace ly {

// ---- Grid ----------------------------------------------------------------------------------

int ThumbColumns(int width)
{
    return std::max(1, width / THUMB_COLUMN_PITCH);
}

int ThumbExtent(int count, int columns)
{
    columns = std::max(1, columns);
    return (count / columns) * THUMB_ROW_PITCH + (count % columns != 0 ? THUMB_ROW_PITCH : 0);
}

QPoint ThumbShadowPos(int index, int columns, bool oneRow)
{
    if (oneRow)
        return {THUMB_SHADOW_OFFSET + index * THUMB_COLUMN_PITCH, THUMB_SHADOW_OFFSET};
    columns = std::max(1, columns);
    return {THUMB_SHADOW_OFFSET + (index % columns) * THUMB_COLUMN_PITCH,
            THUMB_SHADOW_OFFSET + (index / columns) * THUMB_ROW_PITCH};
}

// ---- Listing -------------------------------------------------------------------------------

QStringList ListPictureFolder(const QString &folder, const PictureTypes &types)
{
    QStringList list;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    const QString prefix = AddTrailingBackslash(folder);
    for (const QString &name : names) {
        const QString lower = name.toLower();
        const qsizetype dot = lower.indexOf(QLatin1Char('.'));
        if (dot < 0)
            continue;
        const QString extension = lower.mid(dot + 1);
        for (size_t i = 0; i < THUMB_EXTENSIONS.size(); ++i) {
            if (types[i] && extension == QLatin1String(THUMB_EXTENSIONS[i])) {
                list.append(prefix + name);
                break;
            }
        }
    }
    return list;
}

// ---- Fitting -------------------------------------------------------------------------------

QRect FitInFrame(QSize picture, QSize frame)
{
    const int w = picture.width(), h = picture.height();
    const int fw = frame.width(), fh = frame.height();
    if (w <= 0 || h <= 0)
        return {};
    if (w <= fw && h <= fh)
        return {(fw - w) / 2, (fh - h) / 2, w, h};
    // A sliver of a picture keeps at least one pixel instead of vanishing.
    if (qint64(h) * fw / w > fh) {
        const int nw = std::max(1, int(qint64(w) * (fh - 2) / h));
        return {(fw - nw) / 2, 1, nw, fh - 2};
    }
    const int nh = std::max(1, int(qint64(h) * (fw - 2) / w));
    return {1, (fh - nh) / 2, fw - 2, nh};
}

// ---- Reading -------------------------------------------------------------------------------

namespace {

QString LowerExtension(const QString &file)
{
    const QString name = QFileInfo(file).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

// Pictures become bitmaps: transparent parts turn white, as on a fresh page.
QImage OpaqueOverWhite(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}

QImage ScaledTo(const QImage &image, QSize size)
{
    if (image.isNull() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// libjpeg reports fatal errors through error_exit, which must not return. It jumps back to
// the setjmp of the step that called libjpeg; those steps hold no C++ objects, so nothing is
// skipped on the way.
struct JpegErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegErrorManager *>(cinfo->err)->jump, 1);
}

void JpegQuiet(j_common_ptr, int) {}

struct JpegDecoder
{
    jpeg_decompress_struct cinfo{};
    JpegErrorManager err{};

    JpegDecoder()
    {
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = JpegErrorExit;
        err.pub.emit_message = JpegQuiet; // warnings such as a truncated file: show what is there
        jpeg_create_decompress(&cinfo);
    }
    ~JpegDecoder() { jpeg_destroy_decompress(&cinfo); }
    JpegDecoder(const JpegDecoder &) = delete;
    JpegDecoder &operator=(const JpegDecoder &) = delete;
};

// Reads the header and picks the smallest DCT scale (M/8) whose output still covers the
// target, so the final smooth scaling has enough pixels to work with.
bool JpegPrepare(JpegDecoder &d, const unsigned char *data, unsigned long size, QSize frame,
                 int *fullWidth, int *fullHeight)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_mem_src(&d.cinfo, data, size);
    if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    // CMYK and YCCK pictures cannot be turned into RGB by libjpeg; Qt's reader does that.
    if (d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK)
        return false;
    *fullWidth = int(d.cinfo.image_width);
    *fullHeight = int(d.cinfo.image_height);
    const QSize target = FitInFrame(QSize(*fullWidth, *fullHeight), frame).size();
    if (target.isEmpty())
        return false;
    d.cinfo.out_color_space = JCS_EXT_BGRX; // the byte order of QImage::Format_RGB32
    d.cinfo.scale_denom = 8;
    d.cinfo.scale_num = 8;
    for (unsigned m = 1; m < 8; ++m) {
        const unsigned long w = (unsigned long)(*fullWidth) * m, h = (unsigned long)(*fullHeight) * m;
        if ((w + 7) / 8 >= unsigned(target.width()) && (h + 7) / 8 >= unsigned(target.height())) {
            d.cinfo.scale_num = m;
            break;
        }
    }
    d.cinfo.do_fancy_upsampling = FALSE;
    d.cinfo.do_block_smoothing = FALSE;
    jpeg_calc_output_dimensions(&d.cinfo);
    return true;
}

bool JpegDecode(JpegDecoder &d, unsigned char *bits, qsizetype bytesPerLine)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_start_decompress(&d.cinfo);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        JSAMPROW row = bits + qsizetype(d.cinfo.output_scanline) * bytesPerLine;
        jpeg_read_scanlines(&d.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

ThumbPicture ReadJpeg(const QByteArray &bytes, QSize frame)
{
    JpegDecoder decoder;
    int w = 0, h = 0;
    if (!JpegPrepare(decoder, reinterpret_cast<const unsigned char *>(bytes.constData()),
                     (unsigned long)bytes.size(), frame, &w, &h))
        return {};
    QImage image(int(decoder.cinfo.output_width), int(decoder.cinfo.output_height),
                 QImage::Format_RGB32);
    if (image.isNull() || !JpegDecode(decoder, image.bits(), image.bytesPerLine()))
        return {};
    return {ScaledTo(image, FitInFrame(QSize(w, h), frame).size()), QSize(w, h), false};
}

// Icons keep their transparency and their own size; of the images in an icon file the largest
// that fits the frame is shown, else the largest one shrunk to fit.
ThumbPicture ReadIcon(const QString &file, QSize frame)
{
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    QImage best;
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull())
            continue;
        const auto area = [](const QImage &im) { return qint64(im.width()) * im.height(); };
        const auto fits = [&](const QImage &im) {
            return im.width() <= frame.width() && im.height() <= frame.height();
        };
        if (best.isNull() || (fits(image) && !fits(best)) ||
            (fits(image) == fits(best) && area(image) > area(best)))
            best = image;
    }
    if (best.isNull())
        return {};
    const QSize size = best.size();
    best = best.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return {ScaledTo(best, FitInFrame(size, frame).size()), size, true};
}

// Every other type Qt reads; handlers that can decode to a smaller size (JPEG, SVG) do so,
// for the others the reader scales after decoding.
ThumbPicture ReadWithQt(QImageReader &reader, QSize frame)
{
    reader.setAutoTransform(false);
    QSize full = reader.size();
    if (full.isValid()) {
        const QSize target = FitInFrame(full, frame).size();
        if (target.isEmpty())
            return {};
        if (target != full)
            reader.setScaledSize(target);
    }
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (!full.isValid())
        full = image.size();
    image = ScaledTo(OpaqueOverWhite(image), FitInFrame(full, frame).size());
    return {image, full, false};
}

// WMF through libwmf's raster device, drawn straight at thumbnail size into a PNG in memory.
ThumbPicture ReadWmf(QByteArray bytes, QSize frame)
{
    wmfAPI *api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_gd_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return {};
    }
    struct ApiGuard
    {
        wmfAPI *api;
        ~ApiGuard() { wmf_api_destroy(api); }
    } guard{api};

    auto *device = WMF_GD_GetData(api);
    if (!(device->flags & WMF_GD_SUPPORTS_PNG))
        return {};
    if (wmf_mem_open(api, reinterpret_cast<unsigned char *>(bytes.data()), long(bytes.size())) !=
        wmf_E_None)
        return {};
    wmfD_Rect bbox;
    unsigned int w = 0, h = 0;
    if (wmf_scan(api, 0, &bbox) != wmf_E_None ||
        wmf_display_size(api, &w, &h, 96, 96) != wmf_E_None || w == 0 || h == 0 ||
        w > 1000000 || h > 1000000) {
        wmf_mem_close(api);
        return {};
    }
    const QSize full{int(w), int(h)};
    const QSize target = FitInFrame(full, frame).size();

    char *png = nullptr;
    size_t pngSize = 0;
    FILE *out = open_memstream(&png, &pngSize);
    if (!out) {
        wmf_mem_close(api);
        return {};
    }
    device->type = wmf_gd_png;
    device->file = out;
    device->flags |= WMF_GD_OUTPUT_FILE;
    device->bbox = bbox;
    device->width = unsigned(target.width());
    device->height = unsigned(target.height());
    const wmf_error_t played = wmf_play(api, 0, &bbox);
    wmf_mem_close(api);
    std::fclose(out);
    QImage image;
    if (played == wmf_E_None)
        image.loadFromData(reinterpret_cast<const uchar *>(png), qsizetype(pngSize), "PNG");
    std::free(png);
    if (image.isNull())
        return {};
    return {ScaledTo(OpaqueOverWhite(image), target), full, false};
}

// EMF through libemf2svg, then Qt's SVG reader draws it at thumbnail size.
ThumbPicture ReadEmf(QByteArray bytes, QSize frame)
{
    generatorOptions options{};
    char nameSpace[] = "";
    options.nameSpace = nameSpace;
    options.svgDelimiter = true;
    options.emfplus = true;
    char *svg = nullptr;
    size_t svgSize = 0;
    const int ok = emf2svg(bytes.data(), size_t(bytes.size()), &svg, &svgSize, &options);
    QByteArray document = ok && svg ? QByteArray(svg, qsizetype(svgSize)) : QByteArray();
    std::free(svg);
    if (document.isEmpty())
        return {};
    QBuffer buffer(&document);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "svg");
    return ReadWithQt(reader, frame);
}

} // namespace

ThumbPicture ReadThumbnail(const QString &file, QSize frame)
{
    const QString extension = LowerExtension(file);
    if (extension == QLatin1String(".ico"))
        return ReadIcon(file, frame);
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    if (extension == QLatin1String(".wmf"))
        return ReadWmf(f.readAll(), frame);
    if (extension == QLatin1String(".emf"))
        return ReadEmf(f.readAll(), frame);
    // JPEG is recognised by its signature whatever the name says.
    if (f.peek(3) == QByteArray("\xFF\xD8\xFF", 3)) {
        ThumbPicture picture = ReadJpeg(f.readAll(), frame);
        if (!picture.image.isNull())
            return picture;
        f.seek(0);
    }
    QImageReader reader(&f);
    reader.setDecideFormatFromContent(true);
    return ReadWithQt(reader, frame);
}

// ---- Texts ---------------------------------------------------------------------------------

ThumbLabels ReadThumbLabels()
{
    const auto label = [](const char *key, const char *fallback) {
        const QString value = ReadConfig(QStringLiteral("Control"), QLatin1String(key));
        return value.isEmpty() ? QString::fromLatin1(fallback) : value;
    };
    return {label("FileType", "Type"), label("FilePix", "Pix"), label("FileSize", "Size"),
            label("FileDate", "Date"), label("FileName", "File")};
}

QString ThumbDateText(const QDateTime &lastWrite)
{
    return lastWrite.toUTC().addSecs(8 * 3600).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString ThumbTypeText(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1, 4);
    return extension + QStringLiteral(" Image  ");
}

ThumbDetails ReadThumbDetails(const QString &file, QSize pictureSize)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(file, f.errorString()));
    const QFileInfo info(file);
    return {info.fileName(),
            DetailSizeText(uint32_t(quint64(f.size()) & 0xFFFFFFFFu)),
            QStringLiteral("%1 X %2").arg(pictureSize.width()).arg(pictureSize.height()),
            ThumbTypeText(info.fileName()),
            ThumbDateText(info.lastModified())};
}

QString ThumbHint(const ThumbDetails &d, const ThumbLabels &labels)
{
    const QString crlf = QStringLiteral("\r\n");
    const auto line = [&](const QString &label, const QString &text) -> QString {
        return QLatin1Char('[') + label + QStringLiteral("]:") + text + crlf;
    };
    return crlf + line(labels.type, d.typeText) + line(labels.pix, d.pixText + "  ") +
           line(labels.size, d.sizeText + "  ") + line(labels.date, d.dateText + "  ") +
           line(labels.file, d.fileName);
}

PreparedThumb PrepareThumb(const QString &file, const ThumbLabels &labels, QSize frame)
{
    PreparedThumb prepared;
    prepared.file = file;
    prepared.exists = QFileInfo(file).isFile();
    if (!prepared.exists)
        return prepared;
    ThumbPicture picture = ReadThumbnail(file, frame);
    if (picture.image.isNull())
        return prepared;
    try {
        prepared.details = ReadThumbDetails(file, picture.fullSize);
    } catch (const Error &) {
        return prepared; // vanished or locked since it was read: shown like an unreadable one
    }
    prepared.picture = std::move(picture);
    prepared.hint = ThumbHint(prepared.details, labels);
    return prepared;
}

QColor CaptionColorOf(const QString &fileName)
{
    const QString extension = LowerExtension(fileName);
    if (extension == QLatin1String(".gif"))
        return QColor(255, 0, 0);
    if (extension == QLatin1String(".jpg") || extension == QLatin1String(".jpeg"))
        return QColor(0, 128, 0);
    if (extension == QLatin1String(".bmp"))
        return QColor(255, 255, 0);
    return THUMB_CAPTION_DEFAULT;
}

} // namespace ly
