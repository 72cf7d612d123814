// The picture drop-down: its constructed state, items from an image list and
// from a folder, the selection by item and by image index with its events, the
// key table of the open and the closed popup, type-ahead, the wheel, a
// cancelled close, the edit's picture and the open list as a picture.
#include "dropdown/image_picker.h"

#include "dropdown_test_support.h"
#include "grid/kv_string_grid.h"
#include "platform/core/files.h"
#include "platform/ui/messages.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <gtest/gtest.h>

namespace {

using TImageHost = TEditorHost<TKvImagePickerDropDown>;

void Key(TKvImagePickerDropDown* E, WORD Vk) { E->Perform(WM_KEYDOWN, Vk, 0); }

// An image list of Count plain 16 x 16 squares in the given colours (cycled).
std::unique_ptr<TImageList> Squares(int Count, std::initializer_list<QColor> Colors = {Qt::red, Qt::green, Qt::blue})
{
    auto list = std::make_unique<TImageList>(16, 16);
    const std::vector<QColor> colors(Colors);
    for (int i = 0; i < Count; ++i) {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(colors[size_t(i) % colors.size()]);
        list->AddImage(img);
    }
    return list;
}

void WritePng(const QString& Path, const QColor& Color, int Size = 12)
{
    QImage img(Size, Size, QImage::Format_RGB32);
    img.fill(Color);
    ASSERT_TRUE(img.save(Path, "PNG"));
}

} // namespace

TEST(ImagePicker, ConstructedStateHasTheList)
{
    TImageHost h;
    auto* e = h.Edit;
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_EQ(e->ImageIndex(), -1);
    EXPECT_EQ(e->Columns(), 1);
    EXPECT_EQ(e->Layout(), ilCaptionRight);
    EXPECT_FALSE(e->EditorEnabled());
    EXPECT_TRUE(e->DropDownEnabled());
    EXPECT_EQ(e->DropDownHeight(), 0);
    ASSERT_NE(e->ItemSelector(), nullptr);
    EXPECT_EQ(e->ItemSelector()->Parent(), e->DropDownForm());
    EXPECT_EQ(e->ItemSelector()->SelectorType(), stImage);
    EXPECT_EQ(e->Control(), e->ItemSelector());
    EXPECT_FALSE(e->TypeAhead()->Timer()->Enabled());
}

TEST(ImagePicker, ItemsFromTheImageListAndSelectionByImageIndex)
{
    TImageHost h;
    auto* e = h.Edit;
    e->AddImagesFromImageList();
    EXPECT_EQ(e->Items()->Count(), 0) << "no image list, no items";
    auto images = Squares(5);
    e->SetImages(images.get());
    e->AddImagesFromImageList();
    ASSERT_EQ(e->Items()->Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(e->Items()->Items(i)->ImageIndex(), i);
        EXPECT_TRUE(e->Items()->Items(i)->Caption().isEmpty());
    }
    e->SetImageIndex(3);
    EXPECT_EQ(e->ItemIndex(), 3);
    EXPECT_EQ(e->ImageIndex(), 3);
    e->SetImageIndex(9);
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_EQ(e->ImageIndex(), -1);
}

TEST(ImagePicker, ANewIndexFiresTheEditsChangeBeforeSelect)
{
    TImageHost h;
    auto* e = h.Edit;
    auto images = Squares(3);
    e->SetImages(images.get());
    e->AddImagesFromImageList();
    std::vector<std::string> events;
    e->OnChange = [&](TObject*) { events.push_back("change"); };
    e->OnSelect = [&](TObject*) { events.push_back("select"); };
    e->SetItemIndex(1);
    EXPECT_EQ(events, (std::vector<std::string>{"change", "select"}));
    e->SetItemIndex(1);
    e->SetItemIndex(3);
    EXPECT_EQ(events.size(), 2u) << "the same index and one past the list fire nothing";
    EXPECT_EQ(e->ItemIndex(), 1);
}

TEST(ImagePicker, ItemsFromAFolderKeepEntriesThatAreNoPictures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WritePng(PathJoin(dir.path(), QStringLiteral("red.png")), Qt::red);
    {
        QFile broken(PathJoin(dir.path(), QStringLiteral("broken.png")));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\x89PNG this is no picture");
    }
    ASSERT_TRUE(CreateDir(PathJoin(dir.path(), QStringLiteral("folder.png"))));

    TImageHost h;
    auto* e = h.Edit;
    e->AddImagesFromFolder(PathJoin(dir.path(), QStringLiteral("*.png")), true);
    ASSERT_EQ(e->Items()->Count(), 3);
    int pictures = 0;
    for (int i = 0; i < 3; ++i) {
        const TImageItem* it = e->Items()->Items(i);
        const bool picture = it->Image()->Graphic() && !it->Image()->Graphic()->Empty();
        if (picture) {
            ++pictures;
            EXPECT_EQ(it->Caption(), QStringLiteral("red.png"));
            EXPECT_EQ(it->Image()->Width(), 12);
        } else {
            EXPECT_TRUE(it->Caption().isEmpty()) << "a failed entry has no caption";
        }
    }
    EXPECT_EQ(pictures, 1);

    TImageHost all;
    all.Edit->AddImagesFromFolder(PathJoin(dir.path(), QStringLiteral("*")), false);
    ASSERT_EQ(all.Edit->Items()->Count(), 5) << "the three entries and the two folder links";
    int empty = 0;
    for (int i = 0; i < 5; ++i) {
        const TImageItem* it = all.Edit->Items()->Items(i);
        EXPECT_TRUE(it->Caption().isEmpty()) << "no captions asked for";
        if (!it->Image()->Graphic()) ++empty;
    }
    EXPECT_EQ(empty, 4);
}

TEST(ImagePicker, FolderPicturesOfEachFormatLoad)
{
    TImageHost h;
    auto* e = h.Edit;
    e->AddImagesFromFolder(QStringLiteral(KV_FIXTURES_DIR "/dropdown/seed.*"), true);
    ASSERT_EQ(e->Items()->Count(), 3);
    QStringList captions;
    for (int i = 0; i < 3; ++i) {
        const TImageItem* it = e->Items()->Items(i);
        captions << it->Caption();
        EXPECT_EQ(it->Image()->Width(), 4) << it->Caption().toStdString();
        EXPECT_EQ(it->Image()->Height(), 4) << it->Caption().toStdString();
    }
    captions.sort();
    EXPECT_EQ(captions, (QStringList{"seed.bmp", "seed.ico", "seed.png"}));

    // A Windows metafile is played into a picture of its own size.
    TImageHost m;
    m.Edit->AddImagesFromFolder(QStringLiteral(KV_FIXTURES_DIR "/dropdown/*.wmf"), true);
    ASSERT_EQ(m.Edit->Items()->Count(), 1);
    EXPECT_EQ(m.Edit->Items()->Items(0)->Caption(), QStringLiteral("shapes.wmf"));
    EXPECT_EQ(m.Edit->Items()->Items(0)->Image()->Width(), 64);
    EXPECT_EQ(m.Edit->Items()->Items(0)->Image()->Height(), 48);
}

TEST(ImagePicker, KeysOfTheOpenThreeColumnList)
{
    TImageHost h;
    auto* e = h.Edit;
    auto images = Squares(8);
    e->SetImages(images.get());
    e->AddImagesFromImageList();
    e->SetColumns(3);
    e->SetItemIndex(1);
    int selects = 0;
    e->OnSelect = [&](TObject*) { ++selects; };
    e->ShowDropDown();
    ASSERT_TRUE(e->DroppedDown());
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 4);
    EXPECT_TRUE(e->DroppedDown());
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 7);
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 7) << "nothing below the last row";
    Key(e, VK_UP);
    EXPECT_EQ(e->ItemIndex(), 4);
    Key(e, VK_LEFT);
    EXPECT_EQ(e->ItemIndex(), 3);
    Key(e, VK_HOME);
    EXPECT_EQ(e->ItemIndex(), 0);
    Key(e, VK_END);
    EXPECT_EQ(e->ItemIndex(), 7);
    EXPECT_EQ(selects, 6);
    Key(e, VK_RETURN);
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(selects, 7) << "Return without a hot item reports the value";
}

TEST(ImagePicker, ClosedDownSelectsTheNextItemAndFires)
{
    TImageHost h;
    auto* e = h.Edit;
    auto images = Squares(3);
    e->SetImages(images.get());
    e->AddImagesFromImageList();
    int selects = 0;
    e->OnSelect = [&](TObject*) { ++selects; };
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 0);
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 1);
    EXPECT_EQ(selects, 2);
    EXPECT_FALSE(e->DroppedDown());
    Key(e, VK_UP);
    EXPECT_EQ(e->ItemIndex(), 0);
    Key(e, VK_END);
    EXPECT_EQ(e->ItemIndex(), 2);
    Key(e, VK_RIGHT);
    EXPECT_EQ(e->ItemIndex(), 2) << "Right moves only the open list";
    e->HandleMouseWheelUp();
    EXPECT_EQ(e->ItemIndex(), 1) << "the wheel steps the closed list";
}

TEST(ImagePicker, TypeAheadAndCancelledClose)
{
    TImageHost h;
    auto* e = h.Edit;
    for (const char* c : {"Circle", "Square", "Star", "Triangle"}) e->Items()->Add()->SetCaption(QLatin1String(c));
    e->SetItemIndex(3);
    e->ShowDropDown();
    Key(e, 'S');
    EXPECT_EQ(e->ItemIndex(), 1);
    Key(e, 'T');
    EXPECT_EQ(e->ItemIndex(), 2) << "Star: the keys are searched together";
    EXPECT_TRUE(e->DroppedDown());
    e->TypeAhead()->Timer()->Tick();
    Key(e, 'C');
    EXPECT_EQ(e->ItemIndex(), 0);
    Key(e, VK_ESCAPE);
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->ItemIndex(), 3) << "the item of the opening comes back";
}

TEST(ImagePicker, EditShowsTheSelectedPictureCentred)
{
    TImageHost h;
    auto* e = h.Edit;
    auto images = Squares(3, {Qt::red, Qt::blue});
    e->SetImages(images.get());
    e->AddImagesFromImageList();
    e->SetItemIndex(1);
    QApplication::processEvents();
    const QImage img = e->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const TRect r = e->EditRect();
    const QPoint centre((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(img.pixel(centre), qRgb(0, 0, 255));
    EXPECT_NE(img.pixel(r.Left + 1, centre.y()), qRgb(0, 0, 255)) << "the picture is centred, not at the left";
    int drawn = 0;
    e->OnDrawSelectedImage = [&](TObject* Sender, TCanvas*, TRect R) {
        ++drawn;
        EXPECT_EQ(Sender, e);
        EXPECT_EQ(R, e->EditRect());
    };
    (void)e->grab();
    EXPECT_GE(drawn, 1);
}

TEST(ImagePicker, OpenListIsPictured)
{
    TImageHost h(60);
    auto* e = h.Edit;
    auto images = Squares(6, {Qt::red, Qt::darkGreen, Qt::blue, Qt::magenta, Qt::darkYellow, Qt::cyan});
    e->SetImages(images.get());
    e->AddImagesFromImageList();
    const char* names[] = {"Red", "Green", "Blue", "Magenta", "Olive", "Cyan"};
    for (int i = 0; i < 6; ++i) e->Items()->Items(i)->SetCaption(QLatin1String(names[i]));
    e->SetColumns(2);
    e->SetItemIndex(2);
    e->ShowDropDown();
    ASSERT_TRUE(e->DroppedDown());
    QApplication::processEvents();
    TCustomItemSelector* panel = e->ItemSelector()->SelectorPanel();
    TRect r;
    panel->GetItemRect(2, r);
    const QImage popup = SaveOpenPopupSheet(h.Form, e, "image_picker_list.png");
    const QPoint at = panel->mapTo(e->DropDownForm(), QPoint(r.Left + 4 + 8, (r.Top + r.Bottom) / 2));
    EXPECT_EQ(popup.pixel(at), qRgb(0, 0, 255)) << "the Blue item's image";
    e->HideDropDown(false);
}

TEST(ImagePicker, GridFindsThePickerByItsRegisteredName)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    auto* picker = dynamic_cast<TKvImagePickerDropDown*>(g->ImagePickerDropDown());
    ASSERT_NE(picker, nullptr);
    auto images = Squares(4);
    picker->SetImages(images.get());
    picker->AddImagesFromImageList();
    picker->SetImageIndex(2);
    int fired = 0;
    g->OnImageSelect = [&](TObject*, int, int, int Index) {
        ++fired;
        EXPECT_EQ(Index, 2);
    };
    g->ImageSelect();
    EXPECT_EQ(fired, 1);
    picker->SetImages(nullptr);
}
