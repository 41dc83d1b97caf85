#include "splittertables.h"

namespace ZeltraLib {

namespace {

// Abbreviations, distinct, in search order; case-sensitive.
const char *const kAbbreviations[] = {
    "A.", "a.", "A.D.", "A.M.", "a.m.", "abbrev.", "abl.", "Abp.", "acc.", "Acous.", "ad.",
    "addr.", "Addr.", "adj.", "adv.", "Agric.", "Alban.", "Alg.", "Am.", "AM.", "am.",
    "Amer.", "Anal.", "Anat.", "Anc.", "Angl.", "Ann.", "Antiq.", "aor.", "appt.", "Apr.",
    "Ar.", "Arch.", "Arith.", "Arm.", "Arr.", "AS.", "Astrol.", "aug.", "Aug.", "Av.",
    "Ave.", "AVE.", "b.", "B.", "B. Jon.", "B.A.", "B.C.", "B.Sc.", "Bank.", "Beau.",
    "Bib.", "Bibliog.", "Biol.", "Bisc.", "Bohem.", "Bot.", "Bp.", "Braz.", "Brit.",
    "Burl.", "c.", "C.", "Cant.", "Carp.", "Cat.", "Catal.", "Cath.", "Celt.", "cf.",
    "Ch.", "Chald.", "Chem.", "Chin.", "Chron.", "Civ.", "Co.", "Col.", "coll.", "colloq.",
    "Com.", "comp.", "compar.", "Con.", "conj.", "cont.", "contr.", "Copt.", "Corn.",
    "Cotgr.", "cp.", "Crim.", "Crit.", "Cyc.", "d.", "D.", "Dan.", "dat.", "Dec.", "def.",
    "Deut.", "Dial.", "Dict.", "dim.", "Diosc.", "Disp.", "Dom.", "Dr.", "Dyn.", "e.",
    "E.", "e.g.", "Eccl.", "Ecclus.", "Eclec.", "Econ.", "Ed.", "Egypt.", "Elect.",
    "elect.", "emph.", "encl.", "Encyc.", "Eng.", "Engin.", "Eol.", "Eph.", "Ephes.",
    "equiv.", "Esd.", "esp.", "et al.", "etc.", "Etch.", "Ethnol.", "etym.", "etymol.",
    "Ex.", "Exod.", "exp.", "ext.", "Ezek.", "F.", "f.", "Fahr.", "Far.", "Feb.", "fem.",
    "Feud.", "Fig.", "Fin.", "Fl.", "Fort.", "fr.", "freq.", "Fri.", "Fries.", "fut.",
    "g.", "G.", "Gael.", "Gal.", "Galv.", "gen.", "Gent.", "Geog.", "Geol.", "Geom.",
    "Ger.", "Gk.", "Gl.", "Goth.", "Gov.", "Gr.", "Gram.", "Gris.", "Gun.", "h.", "H.",
    "Hab.", "Hag.", "Heb.", "Her.", "Hind.", "Hipp.", "Hist.", "Horol.", "Hort.", "hr.",
    "Hung.", "Hydros.", "hypoth.", "i.", "I.", "i.e.", "ii.", "iii.", "I.Q.", "i.q.",
    "Icel.", "Imp.", "imp.", "incho.", "ind.", "indef.", "inf.", "init.", "int.", "Int.",
    "Ion.", "Ir.", "Is.", "Isa.", "It.", "iv.", "ix.", "j.", "J.", "J.A.", "Jan.", "Jap.",
    "Jas.", "Jav.", "Jer.", "Join.", "Josh.", "Jr.", "Judg.", "Jul.", "Jun.", "k.", "K.",
    "l.", "L.", "Lam.", "Lapp.", "Lat.", "LD.", "Lett.", "Lev.", "Lex.", "LG.", "LGr.",
    "Linn.", "Lit.", "lit.", "Lith.", "LL.", "Ltd.", "M.", "m.", "M.A.", "M.I.T.", "M.Sc.",
    "Maced.", "Mach.", "Mad.", "Mag.", "Maj.", "Mal.", "Malay.", "Man.", "Manuf.", "Mar.",
    "masc.", "Math.", "Matt.", "ME.", "Mech.", "Med.", "Metal.", "mgr.", "MHG.", "Micros.",
    "Mil.", "Min.", "Mir.", "MLG.", "Moham.", "Mon.", "Mr.", "Ms.", "Mus.", "Myst.",
    "Myth.", "N.", "n.", "N.B.", "Nat.", "Naut.", "Nav.", "Navig.", "Neh.", "neut.", "NF.",
    "NGr.", "NHeb.", "NL.", "No.", "nom.", "Norm. F.", "Norw.", "Nov.", "Num.", "Numis.",
    "o.", "O.", "Ob.", "obs.", "OCelt.", "Oct.", "OD.", "ODan.", "OE.", "OF.", "OFelm.",
    "OFries.", "OFris.", "OGael.", "OGr.", "OHG.", "OIcel.", "OIt.", "OL.", "OLG.", "Olr.",
    "ON.", "OPer.", "OPg.", "OPol.", "Opt.", "ord.", "orig.", "OS.", "OSlav.", "OSp.",
    "Oxf.", "P.", "p.", "P.A.", "p.a.", "P.C.", "P.M.", "p.m.", "p.p.", "p.ple.", "p.pr.",
    "P.R.C.", "P.S.", "Paint.", "Paleon.", "Pathol.", "Per.", "perh.", "pers.", "Persp.",
    "Pert.", "Peruv.", "Pet.", "Pg.", "Ph.D", "Ph.D.", "Pharm.", "Phil.", "Philem.",
    "Philol.", "Philos.", "Phon.", "Photog.", "Photom.", "Phren.", "Phys.", "Physiol.",
    "pl.", "pm.", "PM.", "Poet.", "Pol.", "Polit.", "Pop.", "pp.", "Pr.", "Pref.", "pref.",
    "prep.", "pres.", "pret.", "prin.", "Print.", "priv.", "prob.", "Prof.", "pron.",
    "prop.", "Pros.", "prov.", "Prov.", "Ps.", "Psa.", "Pub.", "Pyro.", "q.", "Q.", "q.v.",
    "Quar.", "Quart.", "r.", "R.", "R. C.", "R. C. Ch.", "R.O.C.", "Rd.", "RD.", "Rep.",
    "ref.", "Rev.", "Rhet.", "Rom.", "Rpts.", "Russ.", "s.", "S.", "Sam.", "Sat.", "Sax.",
    "sc.", "Scand.", "Sci.", "Scot.", "Script.", "Sculp.", "Sec.", "sec.", "Sect.", "Sep.",
    "Serb", "Serv.", "Shak.", "Skr.", "Slav.", "Soc.", "Sp.", "Specif.", "St.", "ST.",
    "Stat.", "subj.", "Sun.", "superl.", "Surg.", "Surv.", "Sw.", "Syd.", "Syn.", "Synop.",
    "Syr.", "t.", "T.", "Tart.", "tel.", "Tel.", "Teleg.", "Theol.", "Thes.", "Thu.",
    "Tim.", "Todd & B.", "Trans.", "Treas.", "Trig.", "Tue.", "Turk.", "Typog.", "U.",
    "u.", "U. S.", "U.K.", "U.S.", "U.S.A.", "Univ.", "Up.", "usu.", "V.", "v.", "v.i.",
    "vi.", "vii.", "viii.", "Vol.", "V.P.", "v.t.", "var.", "vb.n.", "Ver.", "Veter.",
    "Vitr.", "vol.", "vs.", "w.", "W.", "w.c.", "W.C.", "Wall.", "Wed.", "Westm.", "X.",
    "x.", "xi.", "xii.", "xiii.", "Y.", "y.", "Z.", "z.", "Zech.", "Zeph.",
};

// Scheme prefixes of web addresses.
const char *const kSchemes[] = {
    "http://", "HTTP://", "Http://", "HTTPS://", "Https://", "https://", "ftp://",
    "FTP://", "Ftp://", "TELNET://", "Telnet://", "telnet://",
};

// Domain suffixes (exact case variants only).
const char *const kDomainSuffixes[] = {
    ".com", ".COM", ".Com", ".cn", ".CN", ".Cn", ".org", ".Org", ".ORG", ".gov", ".Gov",
    ".GOV", ".EDU", ".edu", ".Edu", ".uk", ".UK", ".jp", ".JP", ".tw", ".TW", ".cc", ".hk",
    ".HK",
};

// Emoticons, in search order.
const char *const kEmoticons[] = {
    "(^_^)", "(^o^)", "d(^_^)b", "(;_;)", "(T_T)", "(TT_TT)", "(T^T)", "(Q_Q)", "(-.-)Zzz",
    "(Z.Z)", "(^_^)/", "(*^.^*)", "(-_-;),", "(-_-')", "(-_-U)", "(-.-)", "(=.=)",
    "(-_-*)", "(?_?)", "(@_@)", "(^_~)", "(^_-)", "(o.O)", "(o_O)", "(o.o)", "(<.<)",
    "(<_<)", "(>'_')>O", "(>'_')>#", "(>'_')>~(\\)", "(O//o)", "(o//O)", "(>//<)",
    "<( ^.^ )>", "<(^_^<)", "<(o_o<)", "<( -'.'- )>", "<('.'-^)", "^__________^", ":-)",
    ":-(", ":((", ":\">", ":\"u", ";)", ":->", ">.<", "(\")(-_-)(\")", "^^", "-.-", "-,-",
    "~_~", "'_'", ";_;", ":>",
};

const char *const kTitles[] = {
    "Mr.", "Mrs.", "Ms.", "Mx.", "Dr.", "Prof.", "St.", "Rev.", "Gen.", "Gov.", "Sen.", "Capt.",
    "Col.", "Maj.", "Lt.", "Sgt.", "Cpl.", "Hon.", "Mt.", "Messrs.", "Mme.", "Mlle.", "Pres.",
    "Supt.", "Insp.", "e.g.", "i.e.", "cf.", "vs.", "viz.", "Fig.", "Figs.", "Vol.", "pp.", "Ch.",
};

const char *const kNameModifiers[] = {
    "U.S.", "U.K.", "U.S.A.", "U.N.", "E.U.", "P.R.C.", "R.O.C.", "D.C.", "N.Y.", "L.A.",
    // initials ("J. K. Rowling")
    "A.", "B.", "C.", "D.", "E.", "F.", "G.", "H.", "I.", "J.", "K.", "L.", "M.", "N.", "O.",
    "P.", "Q.", "R.", "S.", "T.", "U.", "V.", "W.", "X.", "Y.", "Z.",
};

const char *const kClosingAbbreviations[] = {
    "Inc.", "Corp.", "Ltd.", "Co.", "Bros.", "Jr.", "Sr.", "al.", "approx.", "dept.", "Dept.",
    "est.", "govt.", "min.", "max.", "mins.", "hrs.", "yrs.", "sq.", "ft.", "km.", "kg.", "cm.",
    "mm.", "lb.", "lbs.", "oz.", "A.M.", "P.M.",
};

const char *const kSentenceStarters[] = {
    "The", "A", "An", "I", "He", "She", "It", "We", "They", "You", "This", "That", "These",
    "Those", "There", "Here", "But", "And", "So", "Yet", "Or", "However", "Then", "Now", "Also",
    "In", "On", "At", "For", "If", "When", "While", "After", "Before", "Although", "Though",
    "Because", "As", "Many", "Most", "Some", "All", "Every", "Each", "His", "Her", "Its",
    "Their", "Our", "My", "Your", "What", "Who", "How", "Why", "Where", "Which", "Today",
    "Yesterday", "Tomorrow", "Last", "Next", "Finally", "First", "Second", "Third", "Meanwhile",
    "Moreover", "Furthermore", "Therefore", "Besides", "Still", "Even", "Only", "Since", "With",
    "Without", "During", "From", "By", "To", "Not", "No", "Yes", "One", "Two", "Both", "Such",
    "Mr", "Mrs", "Ms", "Dr", "Prof",
};

const char *const kReportingSubjects[] = {
    "I", "he", "she", "we", "they", "you", "He", "She", "We", "They", "You",
};

const char *const kReportingVerbs[] = {
    "said", "says", "asked", "asks", "replied", "replies", "answered", "cried", "shouted",
    "yelled", "screamed", "whispered", "exclaimed", "added", "explained", "called", "thought",
    "wondered", "laughed", "continued", "muttered", "sighed", "insisted", "agreed", "admitted",
    "declared", "begged", "told", "tells", "shouts", "cries", "answers", "remarked", "repeated",
};

template<std::size_t N>
QList<QByteArray> toList(const char *const (&items)[N])
{
    QList<QByteArray> list;
    list.reserve(int(N));
    for (const char *item : items)
        list.append(QByteArray(item));
    return list;
}

} // namespace

const QList<QByteArray> &SplitterTables::abbreviations()
{
    static const QList<QByteArray> list = toList(kAbbreviations);
    return list;
}

const QList<QByteArray> &SplitterTables::schemes()
{
    static const QList<QByteArray> list = toList(kSchemes);
    return list;
}

const QList<QByteArray> &SplitterTables::domainSuffixes()
{
    static const QList<QByteArray> list = toList(kDomainSuffixes);
    return list;
}

const QList<QByteArray> &SplitterTables::emoticons()
{
    static const QList<QByteArray> list = toList(kEmoticons);
    return list;
}

const QList<QByteArray> &SplitterTables::titles()
{
    static const QList<QByteArray> list = toList(kTitles);
    return list;
}

const QList<QByteArray> &SplitterTables::nameModifiers()
{
    static const QList<QByteArray> list = toList(kNameModifiers);
    return list;
}

const QList<QByteArray> &SplitterTables::closingAbbreviations()
{
    static const QList<QByteArray> list = toList(kClosingAbbreviations);
    return list;
}

const QList<QByteArray> &SplitterTables::sentenceStarters()
{
    static const QList<QByteArray> list = toList(kSentenceStarters);
    return list;
}

const QList<QByteArray> &SplitterTables::reportingSubjects()
{
    static const QList<QByteArray> list = toList(kReportingSubjects);
    return list;
}

const QList<QByteArray> &SplitterTables::reportingVerbs()
{
    static const QList<QByteArray> list = toList(kReportingVerbs);
    return list;
}

} // namespace ZeltraLib
