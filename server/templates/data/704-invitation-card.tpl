# Pennova simple template, written by make-documents.py (our own text)
id: 704
kind: low
category: 书信|Letters
name: 活动邀请卡|Invitation card
description: 用于晚会、生日会或讲座的邀请卡。填写活动名称、时间、地点和邀请人，导出后即可打印。

[document]
title: 模板一：邀请卡
file: invitation-card.docx
cover: invitation-card.png
blank: [活动，如 our English evening]
blank: [日期，如 Friday, May 20]
blank: [时间，如 7 p.m.]
blank: [地点，如 the school hall]
blank: [回复日期，如 May 15]
blank: [邀请人，如 Class 3, Grade 2]
