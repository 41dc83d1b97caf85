# Pennova simple template, written by make-documents.py (our own text)
id: 701
kind: low
category: 书信|Letters
name: 请假条|Leave request note
description: 请假条是学生最常写的应用文之一。填写姓名、请假原因和日期后即可导出打印；模板一较正式，模板二较简短。

[document]
title: 模板一：正式请假条
file: leave-request-formal.docx
cover: leave-request-formal.png
blank: [老师，如 Ms. Wang]
blank: [开始日期，如 May 8]
blank: [结束日期，如 May 10]
blank: [原因，如 I have a high fever and need to rest at home]
blank: [姓名，如 Li Hua]
blank: [日期，如 May 7, 2026]

[document]
title: 模板二：简短请假条
file: leave-request-short.docx
cover: leave-request-short.png
blank: [老师，如 Ms. Wang]
blank: [日期，如 Friday]
blank: [原因，如 I have to see a doctor]
blank: [姓名，如 Li Hua]
