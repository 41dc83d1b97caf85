# Pennova simple template, written by make-documents.py (our own text)
id: 702
kind: low
category: 通知|Notices
name: 会议通知|Meeting notice
description: 用于班级、社团或学生会的会议通知。写明会议主题、时间、地点和参会要求，填好后导出打印或张贴。

[document]
title: 模板一：会议通知
file: meeting-notice.docx
cover: meeting-notice.png
blank: [会议主题，如 the school sports meeting]
blank: [时间，如 4 p.m., Wednesday, May 12]
blank: [地点，如 Room 201, Teaching Building]
blank: [参会人员，如 class monitors]
blank: [需携带，如 your notebooks]
blank: [发布单位，如 The Student Union]
blank: [日期，如 May 10, 2026]
