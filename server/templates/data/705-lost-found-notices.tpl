# Pennova simple template, written by make-documents.py (our own text)
id: 705
kind: low
category: 通知|Notices
name: 寻物启事与失物招领|Lost and found notices
description: 寻物启事和失物招领两种告示。写清物品、时间地点和联系方式，导出后打印张贴。

[document]
title: 模板一：寻物启事
file: lost-notice.docx
cover: lost-notice.png
blank: [物品，如 a black wallet]
blank: [地点，如 in the library]
blank: [日期，如 Monday afternoon]
blank: [特征，如 my student card and some cash]
blank: [电话，如 138 0000 0000]
blank: [姓名，如 Li Hua]

[document]
title: 模板二：失物招领
file: found-notice.docx
cover: found-notice.png
blank: [物品，如 A blue umbrella]
blank: [地点，如 in the dining hall]
blank: [日期，如 Tuesday]
blank: [领取地点，如 Room 105]
blank: [发布人，如 The Student Union]
