# Pennova simple template, written by make-documents.py (our own text)
id: 706
kind: low
category: 书信|Letters
name: 感谢卡|Thank-you card
description: 一张简短的感谢卡，送给老师、同学或朋友。填写称呼、感谢的事情和署名即可。

[document]
title: 模板一：感谢卡
file: thank-you-card.docx
cover: thank-you-card.png
blank: [称呼，如 Ms. Wang]
blank: [感谢的事，如 your help with my English this year]
blank: [具体内容，如 Your lessons made me love reading]
blank: [姓名，如 Li Hua]
