# Pennova simple template, written by make-documents.py (our own text)
id: 703
kind: low
category: 个人陈述|Personal statements
name: 英文简历|Resume
description: 一页纸的英文简历，适合申请实习或兼职。填写个人信息、教育背景、经历和技能，导出后可在 Word 中继续调整。

[document]
title: 模板一：英文简历
file: resume.docx
cover: resume.png
blank: [姓名，如 Li Hua]
blank: [电话，如 138 0000 0000]
blank: [邮箱，如 lihua@example.com]
blank: [学校，如 Peking University]
blank: [专业，如 Business English]
blank: [起止时间，如 2023 to 2027]
blank: [经历，如 Part-time shop assistant at a bookstore, summer 2025]
blank: [技能，如 Fluent English, basic French, Microsoft Office]
