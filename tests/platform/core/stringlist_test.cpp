#include "platform/core/stringlist.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList Items(const TStrings& L)
{
    return L.ToStringList();
}

}  // namespace

TEST(StringList, BasicEditingAndIndexErrors)
{
    TStringList L;
    L.Add(QStringLiteral("a"));
    L.Add(QStringLiteral("b"));
    L.Insert(0, QStringLiteral("c"));
    EXPECT_EQ(Items(L), (QStringList{"c", "a", "b"}));
    L.Move(0, 2);
    EXPECT_EQ(Items(L), (QStringList{"a", "b", "c"}));
    L.Exchange(0, 2);
    EXPECT_EQ(Items(L), (QStringList{"c", "b", "a"}));
    L.Delete(1);
    EXPECT_EQ(Items(L), (QStringList{"c", "a"}));
    EXPECT_EQ(L.IndexOf(QStringLiteral("A")), 1);   // without regard to case by default
    L.SetCaseSensitive(true);
    EXPECT_EQ(L.IndexOf(QStringLiteral("A")), -1);

    TObject Obj;
    L.AddObject(QStringLiteral("o"), &Obj);
    EXPECT_EQ(L.Objects(2), &Obj);
    EXPECT_EQ(L.IndexOfObject(&Obj), 2);

    for (int Bad : {-1, 3}) {
        try {
            L.Get(Bad);
            ADD_FAILURE();
        } catch (const EStringListError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("List index out of bounds (%1)").arg(Bad));
        }
    }
    EXPECT_THROW(L.Insert(5, QStringLiteral("x")), EListError);
    EXPECT_THROW(L.Delete(3), EListError);
    L.Clear();
    EXPECT_EQ(L.Count(), 0);
}

TEST(StringList, SortedAndDuplicates)
{
    TStringList L;
    L.Add(QStringLiteral("pear"));
    L.Add(QStringLiteral("Apple"));
    L.Add(QStringLiteral("fig"));
    L.SetSorted(true);
    EXPECT_EQ(Items(L), (QStringList{"Apple", "fig", "pear"}));
    EXPECT_EQ(L.Add(QStringLiteral("banana")), 1);
    EXPECT_EQ(L.Add(QStringLiteral("APPLE")), 0);   // dupIgnore: the existing index, nothing added
    EXPECT_EQ(L.Count(), 4);
    L.Duplicates = dupAccept;
    L.Add(QStringLiteral("fig"));
    EXPECT_EQ(L.Count(), 5);
    L.Duplicates = dupError;
    try {
        L.Add(QStringLiteral("pear"));
        ADD_FAILURE();
    } catch (const EStringListError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("String list does not allow duplicates"));
    }
    int Index = -1;
    EXPECT_TRUE(L.Find(QStringLiteral("FIG"), Index));
    EXPECT_EQ(Index, 2);   // the first of the two
    EXPECT_FALSE(L.Find(QStringLiteral("grape"), Index));
    EXPECT_EQ(Index, 4);
    EXPECT_THROW(L.Insert(0, QStringLiteral("x")), EStringListError);
    EXPECT_THROW(L.Put(0, QStringLiteral("x")), EStringListError);
}

TEST(StringList, TextSplitsEveryLineEnd)
{
    TStringList L;
    L.SetText(QStringLiteral("a\r\nb\nc\rd\r\n\r\ne"));
    EXPECT_EQ(Items(L), (QStringList{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(L.Text(), QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\ne\r\n"));
    L.SetText(QStringLiteral("x\r\n"));
    EXPECT_EQ(Items(L), (QStringList{"x"}));
    L.SetText(QString());
    EXPECT_EQ(L.Count(), 0);
}

TEST(StringList, CommaAndDelimitedText)
{
    struct Case {
        const char* Input;
        QChar Delimiter;
        bool Strict;
        QStringList Expected;
    };
    const Case Cases[] = {
        {"a,b,c", ',', false, {"a", "b", "c"}},
        {"a b,c", ',', false, {"a", "b", "c"}},              // blanks split too when not strict
        {"a b,c", ',', true, {"a b", "c"}},
        {"\"a b\",\"c,d\"", ',', false, {"a b", "c,d"}},
        {"\"say \"\"hi\"\"\",x", ',', false, {"say \"hi\"", "x"}},
        {"a,,b", ',', false, {"a", "", "b"}},
        {"a,", ',', false, {"a", ""}},
        {"  a  ,  b  ", ',', false, {"a", "b"}},
        {"  a  ,  b  ", ',', true, {"  a  ", "  b  "}},
        {"x;\"y;z\";w", ';', true, {"x", "y;z", "w"}},
        {"\"unterminated,x", ',', false, {"unterminated,x"}},
        {"\"a\"b,c", ',', false, {"a", "b", "c"}},
        {"", ',', false, {}},
    };
    for (const Case& C : Cases) {
        TStringList L;
        L.Delimiter = C.Delimiter;
        L.StrictDelimiter = C.Strict;
        L.SetDelimitedText(QString::fromUtf8(C.Input));
        EXPECT_EQ(Items(L), C.Expected) << C.Input;
    }

    TStringList W;
    W.Add(QStringLiteral("plain"));
    W.Add(QStringLiteral("with space"));
    W.Add(QStringLiteral("with,comma"));
    W.Add(QStringLiteral("say \"hi\""));
    W.Add(QString());
    EXPECT_EQ(W.CommaText(), QStringLiteral("plain,\"with space\",\"with,comma\",\"say \"\"hi\"\"\","));
    // A comma text reads back as the same list.
    TStringList R;
    R.SetCommaText(W.CommaText());
    EXPECT_EQ(Items(R), Items(W));

    TStringList One;
    One.Add(QString());
    EXPECT_EQ(One.CommaText(), QStringLiteral("\"\""));
    W.StrictDelimiter = true;
    W.Delimiter = QLatin1Char(';');
    EXPECT_EQ(W.DelimitedText(), QStringLiteral("plain;with space;with,comma;\"say \"\"hi\"\"\";"));
}

TEST(StringList, NamesAndValues)
{
    TStringList L;
    L.SetText(QStringLiteral("Host=127.0.0.1\nPort=80\nflag\nEmpty=\nA=b=c"));
    EXPECT_EQ(L.Names(0), QStringLiteral("Host"));
    EXPECT_EQ(L.Names(2), QString());
    EXPECT_EQ(L.Values(QStringLiteral("port")), QStringLiteral("80"));
    EXPECT_EQ(L.Values(QStringLiteral("missing")), QString());
    EXPECT_EQ(L.Values(QStringLiteral("A")), QStringLiteral("b=c"));
    EXPECT_EQ(L.ValueFromIndex(4), QStringLiteral("b=c"));
    EXPECT_EQ(L.ValueFromIndex(2), QString());
    EXPECT_EQ(L.IndexOfName(QStringLiteral("Empty")), 3);
    L.SetValues(QStringLiteral("Port"), QStringLiteral("8080"));
    L.SetValues(QStringLiteral("New"), QStringLiteral("1"));
    L.SetValues(QStringLiteral("Host"), QString());   // empty value removes the pair
    EXPECT_EQ(Items(L), (QStringList{"Port=8080", "flag", "Empty=", "A=b=c", "New=1"}));
}

TEST(StringList, UpdateCountingAndOnChange)
{
    TStringList L;
    int Changes = 0, Changings = 0;
    L.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &L);
        ++Changes;
    };
    L.OnChanging = [&](TObject*) { ++Changings; };
    L.Add(QStringLiteral("a"));
    EXPECT_EQ(Changes, 1);
    L.BeginUpdate();
    L.Add(QStringLiteral("b"));
    L.BeginUpdate();
    L.Delete(0);
    L.EndUpdate();
    EXPECT_EQ(Changes, 1);
    L.EndUpdate();
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Changings, 2);
    L.SetText(QStringLiteral("x\ny\nz"));   // one notice for the whole text
    EXPECT_EQ(Changes, 3);
}

TEST(StringList, AssignCopiesStringsObjectsAndSettings)
{
    TStringList A, B;
    TObject O;
    A.AddObject(QStringLiteral("x"), &O);
    A.Delimiter = QLatin1Char(';');
    B.Add(QStringLiteral("old"));
    B.Assign(&A);
    EXPECT_EQ(Items(B), QStringList{"x"});
    EXPECT_EQ(B.Objects(0), &O);
    EXPECT_EQ(B.Delimiter, QLatin1Char(';'));
    TPersistent Other;
    try {
        B.Assign(&Other);
        ADD_FAILURE();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Cannot assign a TPersistent to a TStringList"));
    }
}

TEST(StringList, OwnsObjectsFreesThem)
{
    struct Counted : TObject {
        explicit Counted(int& N) : Count(N) { ++Count; }
        ~Counted() override { --Count; }
        int& Count;
    };
    int Alive = 0;
    {
        TStringList L(true);
        L.AddObject(QStringLiteral("a"), new Counted(Alive));
        L.AddObject(QStringLiteral("b"), new Counted(Alive));
        L.Delete(0);
        EXPECT_EQ(Alive, 1);
    }
    EXPECT_EQ(Alive, 0);
}

TEST(StringList, FileRoundTripKeepsEncoding)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("list.txt"));
    const QString Text = QStringLiteral("Grüße\r\n€ 5\r\n");
    struct Case {
        TTextEncoding Encoding;
        QByteArray Head;
    };
    const Case Cases[] = {
        {TTextEncoding::Ansi, QByteArray("Gr\xFC\xDF" "e\r\n\x80 5\r\n")},
        {TTextEncoding::UTF8, QByteArray("Gr\xC3\xBC\xC3\x9F" "e")},
        {TTextEncoding::UTF8BOM, QByteArray("\xEF\xBB\xBFGr")},
        {TTextEncoding::UTF16LE, QByteArray("\xFF\xFEG\0r\0", 6)},
    };
    for (const Case& C : Cases) {
        TStringList L;
        L.SetText(Text);
        L.SaveToFile(Path, C.Encoding);
        EXPECT_TRUE(ReadBinaryFile(Path).startsWith(C.Head)) << int(C.Encoding);
        TStringList R;
        R.LoadFromFile(Path);
        EXPECT_EQ(R.Text(), Text) << int(C.Encoding);
        EXPECT_EQ(R.Encoding(), C.Encoding);
        // Saving again without naming an encoding keeps the one it was read with.
        R.SaveToFile(Path);
        EXPECT_TRUE(ReadBinaryFile(Path).startsWith(C.Head)) << int(C.Encoding);
    }
    TStringList Missing;
    EXPECT_THROW(Missing.LoadFromFile(Dir.filePath(QStringLiteral("none.txt"))), EInOutError);
}
