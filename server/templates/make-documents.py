#!/usr/bin/env python3
"""Writes the simple templates: one .tpl file per template in data/, and for each of
their documents a Word file (.docx, stored uncompressed so that its text can be read in
the bytes) whose blanks are bookmarked, plus a page listing for the cover drawer.

Run make-documents.sh (which also draws the covers); the outputs are committed.
All text here is our own."""

import os
import sys
import zipfile
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data")
FILES = os.path.join(DATA, "files")

# A document: (file stem, title shown in the guide, heading, paragraphs). In a
# paragraph, "{...}" marks a blank; its text (brackets included) is "[...]".
TEMPLATES = [
    {
        "id": 701, "category": "书信|Letters", "name": "请假条|Leave request note",
        "description": "请假条是学生最常写的应用文之一。填写姓名、请假原因和日期后即可导出打印；模板一较正式，模板二较简短。",
        "documents": [
            ("leave-request-formal", "模板一：正式请假条", "Leave Request", [
                "Dear {老师，如 Ms. Wang},",
                "I am writing to ask for leave from {开始日期，如 May 8} to {结束日期，如 May 10}.",
                "The reason is that {原因，如 I have a high fever and need to rest at home}.",
                "I will catch up on the lessons I miss and hand in my homework on time.",
                "I hope you will approve my request.",
                "Yours sincerely,",
                "{姓名，如 Li Hua}",
                "{日期，如 May 7, 2026}",
            ]),
            ("leave-request-short", "模板二：简短请假条", "Leave Note", [
                "Dear {老师，如 Ms. Wang},",
                "I cannot come to class on {日期，如 Friday} because {原因，如 I have to see a doctor}.",
                "Please excuse my absence.",
                "{姓名，如 Li Hua}",
            ]),
        ],
    },
    {
        "id": 702, "category": "通知|Notices", "name": "会议通知|Meeting notice",
        "description": "用于班级、社团或学生会的会议通知。写明会议主题、时间、地点和参会要求，填好后导出打印或张贴。",
        "documents": [
            ("meeting-notice", "模板一：会议通知", "Notice", [
                "There will be a meeting about {会议主题，如 the school sports meeting}.",
                "Time: {时间，如 4 p.m., Wednesday, May 12}",
                "Place: {地点，如 Room 201, Teaching Building}",
                "All {参会人员，如 class monitors} are asked to attend.",
                "Please bring {需携带，如 your notebooks} and be on time.",
                "{发布单位，如 The Student Union}",
                "{日期，如 May 10, 2026}",
            ]),
        ],
    },
    {
        "id": 703, "category": "个人陈述|Personal statements", "name": "英文简历|Resume",
        "description": "一页纸的英文简历，适合申请实习或兼职。填写个人信息、教育背景、经历和技能，导出后可在 Word 中继续调整。",
        "documents": [
            ("resume", "模板一：英文简历", "{姓名，如 Li Hua}", [
                "Phone: {电话，如 138 0000 0000}    Email: {邮箱，如 lihua@example.com}",
                "Education",
                "{学校，如 Peking University}, {专业，如 Business English}, {起止时间，如 2023 to 2027}",
                "Experience",
                "{经历，如 Part-time shop assistant at a bookstore, summer 2025}",
                "Skills",
                "{技能，如 Fluent English, basic French, Microsoft Office}",
            ]),
        ],
    },
    {
        "id": 704, "category": "书信|Letters", "name": "活动邀请卡|Invitation card",
        "description": "用于晚会、生日会或讲座的邀请卡。填写活动名称、时间、地点和邀请人，导出后即可打印。",
        "documents": [
            ("invitation-card", "模板一：邀请卡", "You Are Invited", [
                "Please join us for {活动，如 our English evening}.",
                "Date: {日期，如 Friday, May 20}",
                "Time: {时间，如 7 p.m.}",
                "Place: {地点，如 the school hall}",
                "Please reply by {回复日期，如 May 15}.",
                "{邀请人，如 Class 3, Grade 2}",
            ]),
        ],
    },
    {
        "id": 705, "category": "通知|Notices", "name": "寻物启事与失物招领|Lost and found notices",
        "description": "寻物启事和失物招领两种告示。写清物品、时间地点和联系方式，导出后打印张贴。",
        "documents": [
            ("lost-notice", "模板一：寻物启事", "Lost", [
                "I lost {物品，如 a black wallet} {地点，如 in the library} on {日期，如 Monday afternoon}.",
                "It has {特征，如 my student card and some cash} in it.",
                "If you find it, please call {电话，如 138 0000 0000}.",
                "Thank you very much!",
                "{姓名，如 Li Hua}",
            ]),
            ("found-notice", "模板二：失物招领", "Found", [
                "{物品，如 A blue umbrella} was found {地点，如 in the dining hall} on {日期，如 Tuesday}.",
                "Would the owner please come to {领取地点，如 Room 105} to get it?",
                "{发布人，如 The Student Union}",
            ]),
        ],
    },
    {
        "id": 706, "category": "书信|Letters", "name": "感谢卡|Thank-you card",
        "description": "一张简短的感谢卡，送给老师、同学或朋友。填写称呼、感谢的事情和署名即可。",
        "documents": [
            ("thank-you-card", "模板一：感谢卡", "Thank You", [
                "Dear {称呼，如 Ms. Wang},",
                "Thank you for {感谢的事，如 your help with my English this year}.",
                "{具体内容，如 Your lessons made me love reading}.",
                "With best wishes,",
                "{姓名，如 Li Hua}",
            ]),
        ],
    },
]

CONTENT_TYPES = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
    '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/>'
    '<Override PartName="/word/document.xml" '
    'ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>'
    '</Types>')
RELS = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
    '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" '
    'Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" '
    'Target="word/document.xml"/></Relationships>')
FONTS = '<w:rFonts w:ascii="Times New Roman" w:hAnsi="Times New Roman" w:eastAsia="SimSun"/>'


def pieces(text):
    """Splits a paragraph into (is_blank, text) pieces."""
    out, at = [], 0
    while True:
        start = text.find("{", at)
        if start < 0:
            out.append((False, text[at:]))
            return [p for p in out if p[1]]
        end = text.index("}", start)
        out.append((False, text[at:start]))
        out.append((True, "[" + text[start + 1:end] + "]"))
        at = end + 1


def run(text, size, bold=False, blank=False):
    props = FONTS + ("<w:b/>" if bold else "") + f'<w:sz w:val="{size}"/>'
    if blank:
        props += '<w:color w:val="1F5FBF"/><w:u w:val="single"/>'
    return f'<w:r><w:rPr>{props}</w:rPr><w:t xml:space="preserve">{escape(text)}</w:t></w:r>'


def document_xml(heading, paragraphs, blanks):
    body, mark = [], [0]

    def paragraph(text, size, bold=False, centred=False):
        xml = ['<w:p><w:pPr><w:spacing w:after="160"/>' + ('<w:jc w:val="center"/>' if centred else "") + "</w:pPr>"]
        for is_blank, piece in pieces(text):
            if is_blank:
                # One bookmark per occurrence, "b0", "b1", ... in the order of the
                # template's blank list (a repeated blank is listed again), as the
                # client fills them.
                name = f"b{len(blanks)}"
                blanks.append(piece)
                xml.append(f'<w:bookmarkStart w:id="{mark[0]}" w:name="{name}"/>')
                xml.append(run(piece, size, bold, True))
                xml.append(f'<w:bookmarkEnd w:id="{mark[0]}"/>')
                mark[0] += 1
            else:
                xml.append(run(piece, size, bold))
        xml.append("</w:p>")
        body.append("".join(xml))

    paragraph(heading, 36, bold=True, centred=True)
    for p in paragraphs:
        paragraph(p, 24)
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            '<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>'
            + "".join(body)
            + '<w:sectPr><w:pgSz w:w="11906" w:h="16838"/>'
            '<w:pgMar w:top="1440" w:right="1440" w:bottom="1440" w:left="1440"/></w:sectPr>'
            "</w:body></w:document>")


def write_docx(path, heading, paragraphs, blanks):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as z:
        for name, text in (("[Content_Types].xml", CONTENT_TYPES), ("_rels/.rels", RELS),
                           ("word/document.xml", document_xml(heading, paragraphs, blanks))):
            info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
            z.writestr(info, text.encode("utf-8"))


def main():
    pages = sys.argv[1] if len(sys.argv) > 1 else None
    os.makedirs(FILES, exist_ok=True)
    listing = []
    for t in TEMPLATES:
        lines = ["# Pennova simple template, written by make-documents.py (our own text)",
                 f"id: {t['id']}", "kind: low", f"category: {t['category']}", f"name: {t['name']}",
                 f"description: {t['description']}", ""]
        for stem, title, heading, paragraphs in t["documents"]:
            blanks = []
            write_docx(os.path.join(FILES, stem + ".docx"), heading, paragraphs, blanks)
            lines += ["[document]", f"title: {title}", f"file: {stem}.docx", f"cover: {stem}.png"]
            lines += [f"blank: {b}" for b in blanks] + [""]
            # Cover listing: file, heading, then the paragraphs with blanks in brackets.
            listing.append("\t".join([stem + ".png", heading.replace("{", "[").replace("}", "]")]
                                     + [p.replace("{", "[").replace("}", "]") for p in paragraphs]))
        slug = t["name"].split("|")[1].lower().replace(" ", "-").replace("-and-", "-")
        with open(os.path.join(DATA, f"{t['id']}-{slug}.tpl"), "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
    if pages:
        with open(pages, "w", encoding="utf-8") as f:
            f.write("\n".join(listing) + "\n")


if __name__ == "__main__":
    main()
